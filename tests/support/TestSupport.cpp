#include "tests/support/TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

TempFolder::TempFolder() {
    QTemporaryDir Dir(QDir::tempPath() + QStringLiteral("/qvd-test-XXXXXX"));
    Dir.setAutoRemove(false);
    FPath = Dir.path();
}

TempFolder::~TempFolder() { QDir(FPath).removeRecursively(); }

String TempFolder::File(const String& Name) const { return FPath + QLatin1Char('/') + Name; }

String SourceRoot() {
    const char* Root = std::getenv("QVD_TEST_SOURCE_DIR");
    return Root ? QString::fromLocal8Bit(Root) : QDir::currentPath();
}

String ToolsFolder() {
    const char* Folder = std::getenv("QVD_TOOLS_DIR");
    return Folder ? QString::fromLocal8Bit(Folder) : QDir::currentPath() + QStringLiteral("/tools");
}
