// A named, typed INI value: the record that carries one value between the document and its users.
#pragma once

#include "Export.h"

// Storage types: they fix the size of a value's elements.
enum {
    INI_TYPE_INTEGER = 1,   // 4-byte signed integers
    INI_TYPE_CHARACTER = 2, // single-byte characters
    INI_TYPE_REAL = 3,      // 4-byte floating-point numbers
    INI_TYPE_RAW32 = 4,     // 4-byte elements of the binary form
    INI_TYPE_STRING = 5,    // the characters of one string
};

// Value kinds: how a value was written in INI text.
enum {
    INI_KIND_DECIMAL = 1,
    INI_KIND_HEXADECIMAL = 2,
    INI_KIND_BINARY = 3,
    INI_KIND_CHARACTER = 4,
    INI_KIND_STRING = 5,
    INI_KIND_REAL = 6,
};

enum { INI_NAME_CAPACITY = 16384, INI_MAX_ELEMENTS = 100000 };

class BREVANT_API CINIValue {
  public:
    CINIValue();
    CINIValue(const char* name, int type, int count, int kind, void* data);
    ~CINIValue();

    // Fills the record; the elements stay with whoever owns `data`.
    int Build(const char* name, int type, int count, int kind, void* data);
    CINIValue& operator=(const CINIValue& source);

    char caName[INI_NAME_CAPACITY];
    int iType;
    int iKind;
    int iCount;
    void* opData;
};
