#pragma once

#include <string_view>

// One lexical element of RTF. Views point into the tokenizer's input, which must outlive
// the token.
struct RtfToken
{
    enum class Type
    {
        End, // no more input
        GroupOpen, // {
        GroupClose, // }
        ControlWord, // \word or \word-123; `word`, `hasParam`, `param`
        ControlSymbol, // \ followed by one non-letter, in `symbol`; \ + line end gives '\n'
        HexByte, // \'hh; the byte in `symbol`
        Text, // a run of literal bytes in `text`, never holding { } \ CR LF NUL
    };

    Type type = Type::End;
    std::string_view word;
    std::string_view text;
    bool hasParam = false;
    int param = 0;
    char symbol = 0;
};

// A decimal digit of a control word's parameter (ASCII only, whatever the locale).
constexpr bool IsRtfDigit(char c)
{
    return c >= '0' && c <= '9';
}
