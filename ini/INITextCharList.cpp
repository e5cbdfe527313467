// Character-list strings: a text as a doubly linked list of one-character records.
#include "ini/INITextString.h"
#include "platform/Diagnostics.h"
#include "platform/Memory.h"

kuResourceLineString* INISourceStringCreate() {
    auto* string = static_cast<kuResourceLineString*>(MemAllocZeroed(sizeof(kuResourceLineString)));
    if (!string)
        Diagnose("INISourceStringCreate() > Could not allocate opLink instance of kuResourceLineString!");
    return string;
}

int INISourceStringDestroy(kuResourceLineString* string) {
    if (!string) {
        Diagnose("Failure : INISourceStringDestroy() > Invalid param passed to function!");
        return 0;
    }
    INISourceStringDelAllChars(string);
    MemFree(string);
    return 1;
}

int INISourceStringAddChar(kuResourceLineString* string, char character) {
    if (!string) {
        Diagnose("Failure : INISourceStringAddChar() > Invalid param passed to function!");
        return 0;
    }
    auto* record = static_cast<kuResourceLineChar*>(MemAlloc(sizeof(kuResourceLineChar)));
    if (!record) {
        Diagnose(
            "Failure : INISourceStringAddChar() > Could not allocate opLink instance of kuResourceLineChar!");
        return 0;
    }
    record->cChar = character;
    record->opNext = nullptr;
    record->opPrev = string->opLast;
    if (string->opLast)
        string->opLast->opNext = record;
    else
        string->opFirst = record;
    string->opLast = record;
    ++string->iCount;
    return 1;
}

int INISourceStringDelFirstChar(kuResourceLineString* string) {
    if (!string) {
        Diagnose("Failure : INISourceStringDelFirstChar() > Invalid param passed to function!");
        return 0;
    }
    kuResourceLineChar* first = string->opFirst;
    if (!first)
        return 1;
    string->opFirst = first->opNext;
    if (string->opFirst)
        string->opFirst->opPrev = nullptr;
    else
        string->opLast = nullptr;
    MemFree(first);
    --string->iCount;
    return 1;
}

int INISourceStringDelAllChars(kuResourceLineString* string) {
    if (!string) {
        Diagnose("Failure : INISourceStringDelAllChars() > Invalid param passed to function!");
        return 0;
    }
    kuResourceLineChar* record = string->opFirst;
    while (record) {
        kuResourceLineChar* next = record->opNext;
        MemFree(record);
        record = next;
    }
    string->opFirst = nullptr;
    string->opLast = nullptr;
    string->iCount = 0;
    return 1;
}

char INISourceStringPopFirstChar(kuResourceLineString* string) {
    if (!string) {
        Diagnose("Failure : INISourceStringPopFirstChar() > Invalid param passed to function!");
        return 0;
    }
    if (string->iCount == 0 || !string->opFirst)
        return 0;
    char character = string->opFirst->cChar;
    if (!INISourceStringDelFirstChar(string)) {
        Diagnose("Failure : kuReousrce_CharStr_PopFirstChar() > INISourceStringDelFirstChar() failed!");
        return 0;
    }
    return character;
}

int INISourceStringSetString(kuResourceLineString* string, const char* text) {
    if (!string || !text) {
        Diagnose("Failure : INISourceStringSetString() > Invalid param(s) passed to function!");
        return 0;
    }
    if (text[0] == '\0') {
        Diagnose("Failure : INISourceStringSetString() > String is empty!");
        return 0;
    }
    if (string->iCount != 0 && !INISourceStringDelAllChars(string)) {
        Diagnose("Failure : INISourceStringSetString() > INISourceStringDelAllChars() failed whilst attempt "
                 "to clean "
                 "string!");
        return 0;
    }
    for (const char* next = text; *next; ++next) {
        if (!INISourceStringAddChar(string, *next)) {
            Diagnose("Failure : INISourceStringSetString() > INISourceStringAddChar() failed!");
            INISourceStringDelAllChars(string);
            return 0;
        }
    }
    return 1;
}
