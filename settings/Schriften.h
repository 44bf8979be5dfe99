// Fonts and the font sets of the settings object.
#pragma once

#include "Typen.h"

#include <cstdint>
#include <functional>
#include <string>

namespace velorin {

// Change callback; receives the object that changed (a TFont or a TSchrift).
using TNotifyEvent = std::function<void(const void* Sender)>;

enum TFontStyle : std::uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
// Set of TFontStyle bits.
using TFontStyles = std::uint8_t;

// The font every TFont starts with.
inline constexpr const char* DefaultFontName = "Sans Serif";
inline constexpr int DefaultFontSize = 9;

// A font as a value: name, size in whole points, colour 0x00BBGGRR and style.
// OnChange is called with the font as sender after every property write (also
// when the value stays the same) and after Assign. Values are stored unchecked.
class TFont {
public:
    TFont() = default;
    explicit TFont(TNotifyEvent OnChangeHandler) : OnChange(std::move(OnChangeHandler)) {}
    // Copying would also copy the callback; use Assign to copy the values.
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value);
    int Size() const { return FSize; }
    void SetSize(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);

    // Copies name, size, colour and style, then calls OnChange once. OnChange stays.
    void Assign(const TFont& Source);

    TNotifyEvent OnChange;

private:
    void Changed();

    std::string FName = DefaultFontName;
    int FSize = DefaultFontSize;
    TColor FColor = 0x000000;
    TFontStyles FStyle = 0;
};

// Font set of text pages. Every font calls the set's handler on change; so does
// every write of a background colour.
class TSchrift {
public:
    explicit TSchrift(TNotifyEvent OnChangeHandler = {});
    TSchrift(const TSchrift&) = delete;
    TSchrift& operator=(const TSchrift&) = delete;

    // Copies the three background colours without notification, then the eleven
    // fonts by TFont::Assign (each notifying). Handlers stay those of this set.
    void Assign(const TSchrift& Source);

    TColor BgHeader() const { return FBgHeader; }
    void SetBgHeader(TColor Value);
    TColor BgHighlight() const { return FBgHighlight; }
    void SetBgHighlight(TColor Value);
    TColor BgNormal() const { return FBgNormal; }
    void SetBgNormal(TColor Value);

private:
    void Changed();

    TColor FBgHeader = 0;
    TColor FBgHighlight = 0;
    TColor FBgNormal = 0;
    TNotifyEvent FOnChangeHandler;

public:
    TFont H1;
    TFont H2;
    TFont H3; // also table captions
    TFont H4;
    TFont P;
    TFont Li;
    TFont Td;
    TFont Th;
    TFont FhTh;  // heading cell
    TFont FhTsH; // highlighted cell
    TFont FhTsN; // normal cell and list items in tables
};

// Font pair of question pages; both fonts carry the handler.
class TSchriftFr {
public:
    explicit TSchriftFr(const TNotifyEvent& OnChangeHandler = {});
    TSchriftFr(const TSchriftFr&) = delete;
    TSchriftFr& operator=(const TSchriftFr&) = delete;

    // KopfFuss, then Antworten, by TFont::Assign.
    void Assign(const TSchriftFr& Source);

    TFont KopfFuss; // header and footer
    TFont Antworten;
};

// The eight font sets: four for the screen, four (suffix _D) for print.
class TSchriften {
public:
    // The screen sets get OnChangeHandler, the print sets OnChangeHandlerDruck.
    TSchriften(const TNotifyEvent& OnChangeHandler, const TNotifyEvent& OnChangeHandlerDruck);
    TSchriften(const TSchriften&) = delete;
    TSchriften& operator=(const TSchriften&) = delete;

    // Each set from the same set of Source, in declaration order.
    void Assign(const TSchriften& Source);

    TSchrift SchriftErk;
    TSchrift DefaultSchriftErk;
    TSchriftFr SchriftFr;
    TSchriftFr DefaultSchriftFr;
    TSchrift SchriftErk_D;
    TSchrift DefaultSchriftErk_D;
    TSchriftFr SchriftFr_D;
    TSchriftFr DefaultSchriftFr_D;
};

// Colour 0x00BBGGRR as six upper-case hex digits RRGGBB (no "#"). For values
// above 0xFFFFFF (system colours) the top six of the eight hex digits are used.
std::string ColorToHexRGB(std::uint32_t Color);

// The style sheet built from a text-font set and a question-font pair: one
// <style> element on one line, UTF-8. Reads only its inputs.
std::string BuildCSS(const TSchrift& Schrift, const TSchriftFr& SchriftFr);

} // namespace velorin
