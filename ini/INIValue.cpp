// The exported value record.
#include <brevant/INIValue.h>

#include <cstring>

#include "platform/Diagnostics.h"

// The fields have no meaning until Build or an assignment fills them; they start empty rather than undefined.
CINIValue::CINIValue() : iType(0), iKind(0), iCount(0), opData(nullptr) {
    caName[0] = '\0';
}

CINIValue::CINIValue(const char* name, int type, int count, int kind, void* data) {
    Build(name, type, count, kind, data);
}

CINIValue::~CINIValue() {}

int CINIValue::Build(const char* name, int type, int count, int kind, void* data) {
    if (!name || count == 0 || !data) {
        Diagnose("Failure : CINIValue::ValueBuild() > Invalid param(s) passed function!");
        return 0;
    }
    size_t length = strnlen(name, INI_NAME_CAPACITY);
    if (length == 0 || length == INI_NAME_CAPACITY) {
        Diagnose("Failure : CINIValue::ValueBuild() > Invalid value name passed to function!");
        return 0;
    }
    iType = type;
    iKind = kind;
    iCount = count;
    opData = data;
    std::memcpy(caName, name, length + 1);
    return 1;
}

CINIValue& CINIValue::operator=(const CINIValue& source) {
    if (this != &source) {
        std::memcpy(caName, source.caName, sizeof caName);
        iType = source.iType;
        iKind = source.iKind;
        iCount = source.iCount;
        opData = source.opData;
    }
    return *this;
}
