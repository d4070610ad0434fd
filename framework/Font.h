#pragma once

#include "framework/NativeHandles.h"
#include "framework/WinTypes.h"

#include <memory>
#include <string>

// A font by face, height and weight. The face is requested as named; when it is not
// installed (the Windows faces usually are not) font fallback picks one that has the
// glyphs, Korean included.
class CFont {
public:
    CFont();
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // Windows CreateFont. height < 0: character height of -height pixels; height > 0:
    // cell height (ascent + descent) of height pixels; 0: the default size. Width,
    // escapement, orientation, precision and quality have no meaning here.
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName);
    BOOL DeleteObject();
    BOOL IsCreated() const;

    std::string GetFaceName() const; // the face asked for
    int GetPixelHeight() const;      // the character height in pixels after conversion
    int GetWeight() const;

    NativeFont Font() const; // for the framework; null before creation

private:
    struct Made; // the back end's font
    std::unique_ptr<Made> font;
};
