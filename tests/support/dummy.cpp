// keeps the support library non-empty before its fixtures exist
