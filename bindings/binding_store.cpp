// bindings/binding_store.cpp: the bindings in the registry. (Loading and saving land next.)
#include "binding_store.h"

int LoadBindings() { return 1; }
int SaveBindings() { return 1; }
LONG DeleteKeyTree(HKEY, const char*) { return ERROR_SUCCESS; }
char* TrimLeft(char* text) { return text; }
int TrimRight(char* text) { return lstrlenA(text); }
