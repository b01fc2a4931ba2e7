#pragma once

#include <QFunctionPointer>
#include <QString>

namespace chronolien {

// The symbol of one of the program's modules beside the executable, which stays loaded to the end
// of the process: what it made runs its code until then. Null, and said in the log naming what is
// missing (what), when the module does not load.
QFunctionPointer moduleSymbol(const QString& modulePath, const char* symbol, const char* what);

} // namespace chronolien
