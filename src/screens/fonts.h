#pragma once
// The Japanese faces the screens are designed with.
#include <QString>

namespace screens {

inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");

} // namespace screens
