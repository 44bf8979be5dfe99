// The user's answer to one question: multiple-choice picks and free answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velorin {

using TStringArray = std::vector<std::string>;
using TIntArray = std::vector<std::int32_t>;

// Index of a multiple-choice answer, 0 to 3 (A to D).
using TMCAntwort = int;
// Set of choices, bit i for index i. Bits 4 to 7 can be set from a text form and
// are carried along although they name no answer.
using TMCAntworten = std::uint8_t;

// A text that is not the number or truth value it should be.
class EKonvertierungsFehler : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A number outside the range it must lie in.
class EBereichsFehler : public std::range_error {
public:
    using std::range_error::range_error;
};

// The correct answer of a question.
struct TRichtigeAntwort {
    std::int32_t NMCAntworten = 0; // tokens read by MCAntwortenFromString
    TMCAntworten MCAntworten = 0;
    TStringArray Num; // the expected free answers, in order
};

// Reads tokens separated by Sep from S, starting at the 1-based position Pos.
// Finds the next Count occurrences of Sep one after another; when all are found,
// Token is the text from Pos up to the last of them and Pos moves just behind it.
// When one is missing, Token is empty and Pos stays behind the last occurrence
// found (unchanged if none). An empty Sep, Count < 1 or Pos < 1 find nothing.
void GetNextToken(std::string_view Sep, std::string_view S, std::size_t& Pos, std::string& Token,
                  int Count = 1);

// The answer set. Its text form is a list of tokens, each followed by "!":
// answered flag ("-1" or "0"), the digits of the picked choices, the number of
// free answers, then each free answer. Example: "-1!02!2!12,5!x!".
class TAntworten {
public:
    TAntworten() = default;
    virtual ~TAntworten() = default;
    TAntworten(const TAntworten&) = delete;
    TAntworten& operator=(const TAntworten&) = delete;

    // Copies through the text form.
    virtual void Assign(const TAntworten& AntwortenObject);
    virtual std::string GetAntwortenAsString() const;

    // Reads an answer text. Stops without change if the first token is empty.
    // Throws EKonvertierungsFehler for a flag or count that is not a number, and
    // EBereichsFehler for a negative count or one above the text's length; the
    // fields set before the failing step stay set.
    void SetAntwortenFromString(std::string_view Str);

    // Sets the bit (indices above 7 set none) and marks the set answered.
    void AddMC(TMCAntwort MCAntwort);
    // Clears the bit; with no choice and no free answer left the set is unanswered.
    void RemoveMC(TMCAntwort MCAntwort);

    bool Beantwortet() const { return FBeantwortet; }
    // Writing false to an answered set clears it; anything else changes nothing.
    void SetBeantwortet(bool Value);
    TMCAntworten MCAntworten() const { return FAntwortenMC; }
    int AnzNumAntworten() const { return static_cast<int>(FAntwortNum.size()); }
    const TStringArray& NumAntworten() const { return FAntwortNum; }

    // Free answers equal Num exactly (in order) and all eight choice bits equal.
    bool IsRichtig(const TRichtigeAntwort& RichtigeAntwort) const;
    // Picked and correct.
    TMCAntworten GetRichtigeMCAntworten(const TRichtigeAntwort& RichtigeAntwort) const;
    // Picked but not correct.
    TMCAntworten GetFalscheMCAntworten(const TRichtigeAntwort& RichtigeAntwort) const;
    // Correct but not picked.
    TMCAntworten GetUnbeantwMCAntworten(const TRichtigeAntwort& RichtigeAntwort) const;

    // Ai[j] is the stored index of the answer shown at position j.
    // Stored to displayed order: each picked index goes to its first position in
    // Ai; indices not in Ai or at a position above 7 are dropped.
    void PermuteAntwortIndex(const TIntArray& Ai);
    // Displayed to stored order: each picked position j gives Ai[j]; positions
    // without an entry in Ai and values outside 0 to 7 are dropped.
    void RepermuteAntwortIndex(const TIntArray& Ai);

    // Decimal digit of each set bit, ascending, each followed by SepStr.
    static std::string MCAntwortenAsString(TMCAntworten MCAntworten, std::string_view SepStr);
    // Reads integers each followed by SepStr; counts them in NMCAntworten and sets
    // the bits of those in 0 to 7. A trailing piece without SepStr is ignored.
    // Throws EKonvertierungsFehler for a piece that is not an integer.
    static TRichtigeAntwort MCAntwortenFromString(std::string_view MCAntwortStr,
                                                  std::string_view SepStr);
    // 0..3 give 'A'..'D', anything else a space.
    static char MCAntwortAsLetter(TMCAntwort MCAntwort);
    // 'B', 'C', 'D' give 1, 2, 3; every other character 0.
    static TMCAntwort LetterToMCAntwort(char LetterAntwort);

private:
    bool FBeantwortet = false;
    TMCAntworten FAntwortenMC = 0;
    TStringArray FAntwortNum;
};

} // namespace velorin
