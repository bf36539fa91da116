#pragma once
#include <QColor>
#include <cstdint>

namespace forms {

// 0x00BBGGRR, or 0x80000000 + n for system colour n (5 window, 8 window text, 15 button face,
// 18 button text, ...; mapped to the Qt palette).
QColor colorFromOle(uint32_t value);
constexpr uint32_t rgb(int r, int g, int b) {
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}
constexpr uint32_t kSysButtonFace = 0x8000000F;
constexpr uint32_t kSysWindow = 0x80000005;
constexpr uint32_t kSysWindowText = 0x80000008;
constexpr uint32_t kSysButtonText = 0x80000012;
constexpr uint32_t kSysGrayText = 0x80000011;

} // namespace forms
