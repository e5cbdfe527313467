// Adding or replacing the value that a store has built.
#include "ini/INISourceStores.h"

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

int PutLineValue(SINISourceLine* opLine, CINIFile* document, const char* storeName, int type, int count,
                 int kind, void* data, const char* replaceFailure) {
    CINIValue* value = &opLine->scratch->value;
    if (!value->Build(opLine->caValueName, type, count, kind, data)) {
        Diagnose("Failure : %s() > CINIFile::ValueBuild() failed!", storeName);
        return 0;
    }
    // The old value goes and the new one is appended under the name as this line writes it.
    if (document->ValueExists(opLine->caValueName)) {
        if (document->ValueReplace(opLine->caValueName, value))
            return 1;
        Diagnose("Failure : %s() > %s", storeName, replaceFailure);
        return 0;
    }
    if (document->ValueAdd(value))
        return 1;
    Diagnose("Failure : %s() > CINIFile::ValueAdd() failed!", storeName);
    return 0;
}
