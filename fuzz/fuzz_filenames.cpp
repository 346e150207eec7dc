// Any bytes as a file name, as the command line, a second start's request or
// a recent-files entry hands it over: the name decodes and encodes back to
// the same bytes, UTF-8 or not, and a recent file keeps them through the
// settings text.

#include "core/recentfiles.h"
#include "core/safefile.h"
#include "fuzzsupport.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray native(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString name = DecodeFileName(native);
    Fuzz::check(EncodeFileName(name) == native, "a file name comes back as other bytes");
    if (native.isValidUtf8())
        Fuzz::check(name == QFile::decodeName(native), "a UTF-8 name reads unlike Qt's");

    // An absolute name without line breaks or NUL is kept whole in the recent files.
    const QString path = QStringLiteral("/") + name;
    if (native.contains('\n') || native.contains('\r') || native.contains('\0') || path.trimmed() != path)
        return 0;
    const QStringList recent = ParseRecentFiles(RecentFilesText(AddRecentFile({}, path)));
    Fuzz::check(recent.size() == 1 &&
                    EncodeFileName(recent.first()) == EncodeFileName(AddRecentFile({}, path).value(0)),
                "a recent file comes back as another name");
    return 0;
}
