#include "platform/linux/module_symbol.h"

#include "platform/logging.h"

#include <QLibrary>

namespace chronolien {

QFunctionPointer moduleSymbol(const QString& modulePath, const char* symbol, const char* what)
{
    QLibrary module(modulePath);
    const QFunctionPointer resolved = module.resolve(symbol);
    if (!resolved)
        qCWarning(lcPlatform).noquote() << what << module.errorString();
    return resolved;
}

} // namespace chronolien
