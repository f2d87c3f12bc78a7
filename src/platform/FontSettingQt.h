// The stored font settings as Qt shows them: a QFont for face, size and style, a
// QColor for the stored colour value.
#pragma once

#include "store/FontSetting.h"

#include <QColor>
#include <QFont>

namespace platform {

// The point size shown for a setting without one.
inline constexpr int kShownPointSizeWhenUnset = 10;

// Sets exactly the styles whose bits are set; only the low four bits count.
inline void applyStyle(QFont& font, long long style) {
    font.setBold(style & store::Bold);
    font.setItalic(style & store::Italic);
    font.setUnderline(style & store::Underline);
    font.setStrikeOut(style & store::StrikeOut);
}

// The font of a setting: an empty face is the desktop's, no size is 10 points.
inline QFont toQFont(const store::FontSetting& setting) {
    const QString face = QString::fromStdString(setting.face);
    QFont font(face.isEmpty() ? QFont().family() : face,
               setting.size > 0 ? int(setting.size) : kShownPointSizeWhenUnset);
    applyStyle(font, setting.style);
    return font;
}

// Face, point size and style bits of a font; no colour.
inline store::FontSetting fromQFont(const QFont& font) {
    store::FontSetting setting;
    setting.face = font.family().toStdString();
    setting.size = font.pointSize();
    setting.style = (font.bold() ? store::Bold : 0) | (font.italic() ? store::Italic : 0) |
                    (font.underline() ? store::Underline : 0) |
                    (font.strikeOut() ? store::StrikeOut : 0);
    return setting;
}

// A stored colour on screen: its low three bytes are red, green and blue.
inline QColor toQColor(long long stored) {
    return QColor(int(stored & 0xff), int((stored >> 8) & 0xff), int((stored >> 16) & 0xff));
}

inline long long fromQColor(const QColor& color) {
    return store::storedFromRgb(store::Rgb{color.red(), color.green(), color.blue()});
}

} // namespace platform
