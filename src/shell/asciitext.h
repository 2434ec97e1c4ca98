// Case-blind comparison the way ORV32.INI values and face names are compared: ASCII letters
// only, whatever the code page says of other bytes.
#pragma once

inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

inline bool EqualsCaseBlind(const char* a, const char* b) {
    for (; *a && *b; a++, b++)
        if (LowerAscii(*a) != LowerAscii(*b))
            return false;
    return *a == *b;
}
