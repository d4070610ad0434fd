#include "framework/Font.h"

#include "framework/UiThread.h"

#include <QFont>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDefaultPixelHeight = 12; // a 9-point font at 96 pixels per inch

QFont::StyleHint StyleHintOf(BYTE pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case FF_SWISS:
        return QFont::SansSerif;
    case FF_ROMAN:
        return QFont::Serif;
    case FF_MODERN:
        return QFont::TypeWriter;
    default:
        return QFont::AnyStyle;
    }
}

// A positive Windows height is the cell (ascent + descent); the toolkit sizes the
// character, so scale by what the face makes of one trial size.
int CharacterPixels(const QFont& font, int cellHeight) {
    QFont trial(font);
    trial.setPixelSize(cellHeight);
    QFontMetrics metrics(trial);
    int cell = metrics.ascent() + metrics.descent();
    if (cell <= 0) {
        return cellHeight;
    }
    return std::max(1, static_cast<int>(std::lround(double(cellHeight) * cellHeight / cell)));
}

} // namespace

struct CFont::Made {
    QFont font;
};

CFont::CFont() = default;
CFont::~CFont() = default;

BOOL CFont::CreateFont(int height, int, int, int, int weight, BYTE italic, BYTE underline,
                       BYTE strikeOut, BYTE, BYTE, BYTE, BYTE, BYTE pitchAndFamily,
                       const char* faceName) {
    if (font) {
        return FALSE; // Windows: a CFont holds one font until DeleteObject
    }
    RunOnUiThread([&] {
        auto made = std::make_unique<Made>();
        QFont* created = &made->font;
        created->setFamilies(QStringList{QString::fromUtf8(faceName != nullptr ? faceName : "")});
        created->setStyleHint(StyleHintOf(pitchAndFamily));
        created->setFixedPitch((pitchAndFamily & 0x03) == FIXED_PITCH);
        created->setWeight(static_cast<QFont::Weight>(
            weight == FW_DONTCARE ? FW_NORMAL : std::clamp(weight, 1, 1000)));
        created->setItalic(italic != 0);
        created->setUnderline(underline != 0);
        created->setStrikeOut(strikeOut != 0);
        int pixels = height < 0   ? -height
                     : height > 0 ? CharacterPixels(*created, height)
                                  : kDefaultPixelHeight;
        created->setPixelSize(std::max(1, pixels));
        font = std::move(made);
    });
    return TRUE;
}

BOOL CFont::DeleteObject() {
    if (!font) {
        return FALSE;
    }
    RunOnUiThread([&] { font.reset(); });
    return TRUE;
}

BOOL CFont::IsCreated() const {
    return font ? TRUE : FALSE;
}

std::string CFont::GetFaceName() const {
    return font ? font->font.families().value(0).toStdString() : std::string();
}

int CFont::GetPixelHeight() const {
    return font ? font->font.pixelSize() : 0;
}

int CFont::GetWeight() const {
    return font ? static_cast<int>(font->font.weight()) : 0;
}

NativeFont CFont::Font() const {
    return font ? &font->font : nullptr;
}
