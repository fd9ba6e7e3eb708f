#pragma once
// Colour values as the settings file and the forms store them: 0x00BBGGRR, or a
// high byte 0xFF naming a system colour by the index in the low byte.
#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clSystemColor = 0xFF000000u;
constexpr TColor clHighlight = 0xFF00000Du;
constexpr TColor clHighlightText = 0xFF00000Eu;
constexpr TColor clBtnFace = 0xFF00000Fu;
constexpr TColor clBtnShadow = 0xFF000010u;
constexpr TColor clBtnText = 0xFF000012u;
constexpr TColor clBtnHighlight = 0xFF000014u;
constexpr TColor clWindow = 0xFF000005u;
constexpr TColor clWindowText = 0xFF000008u;
constexpr TColor clInfoBk = 0xFF000018u;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clNavy = 0x800000, clRed = 0x0000FF,
                 clLime = 0x00FF00, clYellow = 0x00FFFF, clAqua = 0xFFFF00, clFuchsia = 0xFF00FF,
                 clWhite = 0xFFFFFF, clGray = 0x808080, clSkyBlue = 0xF0CAA6;

constexpr TColor RGBColor(int r, int g, int b) {
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int ColorR(TColor c) { return int(c & 0xFF); }
constexpr int ColorG(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int ColorB(TColor c) { return int((c >> 16) & 0xFF); }

inline QColor ToQColor(TColor c) {
    if ((c & 0xFF000000u) == clSystemColor) {
        const QPalette pal = QGuiApplication::palette();
        switch (c) {
        case clHighlight: return pal.color(QPalette::Highlight);
        case clHighlightText: return pal.color(QPalette::HighlightedText);
        case clBtnFace: return pal.color(QPalette::Button);
        case clBtnShadow: return pal.color(QPalette::Dark);
        case clBtnText: return pal.color(QPalette::ButtonText);
        case clBtnHighlight: return pal.color(QPalette::Light);
        case clWindow: return pal.color(QPalette::Base);
        case clWindowText: return pal.color(QPalette::Text);
        case clInfoBk: return pal.color(QPalette::ToolTipBase);
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(ColorR(c), ColorG(c), ColorB(c));
}

// A system colour resolved to its plain 0x00BBGGRR value (for blending).
inline TColor ResolveColor(TColor c) {
    if ((c & 0xFF000000u) != clSystemColor) return c & 0x00FFFFFFu;
    const QColor q = ToQColor(c);
    return RGBColor(q.red(), q.green(), q.blue());
}
