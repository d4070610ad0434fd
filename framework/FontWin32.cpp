#include "framework/Win32.h"

#include "framework/Font.h"
#include "framework/WideText.h"

struct CFont::Made {
    HFONT font;
    std::string face;
    int pixelHeight;
    int weight;
};

namespace {

// The character height (cell less internal leading) Windows made of the request.
int CharacterPixels(HFONT font) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading);
}

} // namespace

CFont::CFont() = default;

CFont::~CFont() {
    DeleteObject();
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                       const char* faceName) {
    if (font) {
        return FALSE; // a CFont holds one font until DeleteObject
    }
    const std::string face = faceName != nullptr ? faceName : "";
    HFONT made = CreateFontW(height, width, escapement, orientation, weight, italic, underline,
                             strikeOut, charSet, outPrecision, clipPrecision, quality,
                             pitchAndFamily, Widen(face).c_str());
    if (made == nullptr) {
        return FALSE;
    }
    font = std::make_unique<Made>(
        Made{made, face, CharacterPixels(made), weight == FW_DONTCARE ? FW_NORMAL : weight});
    return TRUE;
}

BOOL CFont::DeleteObject() {
    if (!font) {
        return FALSE;
    }
    ::DeleteObject(font->font);
    font.reset();
    return TRUE;
}

BOOL CFont::IsCreated() const {
    return font ? TRUE : FALSE;
}

std::string CFont::GetFaceName() const {
    return font ? font->face : std::string();
}

int CFont::GetPixelHeight() const {
    return font ? font->pixelHeight : 0;
}

int CFont::GetWeight() const {
    return font ? font->weight : 0;
}

NativeFont CFont::Font() const {
    return font ? font->font : nullptr;
}
