#include "OfficeModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

// Present when the office part is linked into this program; else null, and the part is
// loaded from its file.
extern "C" const OfficeModule::Functions *qingsui_office_functions() __attribute__((weak));

namespace OfficeModule {

namespace {

using Entry = const Functions *(*)();

ReadResult<const Functions *> load()
{
    if (qingsui_office_functions)
        return ReadResult<const Functions *>::success(qingsui_office_functions());
    // Beside the program (its program folder), or where the package puts it.
    const QString here = QCoreApplication::applicationDirPath();
    const QStringList places{here, here + QStringLiteral("/" QS_OFFICE_DIR)};
    QString path = QDir(places.constFirst()).filePath(kFileName);
    for (const QString &place : places) {
        if (const QString candidate = QDir(place).filePath(kFileName); QFileInfo::exists(candidate)) {
            path = QDir::cleanPath(candidate);
            break;
        }
    }
    // Kept loaded for the rest of the run: its windows and code stay in use.
    static QLibrary library;
    library.setFileName(path);
    const auto entry = reinterpret_cast<Entry>(library.resolve("qingsui_office_functions"));
    const Functions *found = entry ? entry() : nullptr;
    if (!found) {
        return ReadResult<const Functions *>::failure(
            QStringLiteral("无法载入程序的导出与分析部分“%1”：%2").arg(QDir::toNativeSeparators(path), library.errorString()));
    }
    return ReadResult<const Functions *>::success(found);
}

} // namespace

ReadResult<const Functions *> functions()
{
    // Loaded once; a failure is tried again next time (a file put back meanwhile).
    static const Functions *loaded = nullptr;
    if (loaded)
        return ReadResult<const Functions *>::success(loaded);
    ReadResult<const Functions *> found = load();
    if (found)
        loaded = *found;
    return found;
}

Result writeSheet(const QString &path, const SheetContents &sheet)
{
    const ReadResult<const Functions *> office = functions();
    return office ? (*office)->writeSheet(path, sheet) : Result::failure(office.error);
}

Result writeAnalysis(const QString &path, const AnalysisReport &report)
{
    const ReadResult<const Functions *> office = functions();
    return office ? (*office)->writeAnalysis(path, report) : Result::failure(office.error);
}

} // namespace OfficeModule
