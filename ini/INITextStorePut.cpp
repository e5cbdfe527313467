// Adding or replacing the value that a store has built.
#include "ini/INITextStore.h"

bool StoreArgumentsValid(SINISourceLine* opLine, CINIFile* document, const char* storeName) {
    if (!opLine || !document) {
        Diagnose("Failure : %s() > Invalid param passed to function!", storeName);
        return false;
    }
    if (!opLine->opStream || !opLine->scratch) {
        Diagnose("Failure : %s() > opLine has not been initialized correctly!", storeName);
        return false;
    }
    return true;
}

int PutLineValue(SINISourceLine* opLine, CINIFile* document, const char* storeName,
                 const SINISourceValue& value, const char* replaceFailure) {
    SINISectionPool* section = document->CurrentSection();
    if (section && INIFindValue(section, value.name)) {
        // The old value goes and the new one is appended under the name as this line writes it.
        CINIValue* record = &opLine->scratch->value;
        if (!record->Build(value.name, value.type, value.count, value.kind, const_cast<void*>(value.data))) {
            Diagnose("Failure : %s() > CINIFile::ValueBuild() failed!", storeName);
            return 0;
        }
        if (document->ValueReplace(value.name, record))
            return 1;
        Diagnose("Failure : %s() > %s", storeName, replaceFailure);
        return 0;
    }
    if (!section)
        Diagnose("Failure : CINIFile::ValueAdd() > No section exist in this INI file!");
    else if (INIAppendValue(document->Root(), section, value.name, value.nameLength, value.type, value.kind,
                            value.count, value.data))
        return 1;
    Diagnose("Failure : %s() > CINIFile::ValueAdd() failed!", storeName);
    return 0;
}
