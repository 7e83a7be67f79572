// Writes one template file the way the program does, so that a test can kill it on the way:
//   qs_template_write_driver PATH TEXT   writes TEXT (as GBK) to PATH
// Exits 0 when the file was written, 1 when the write was refused.
#include "entry/TemplateFile.h"
#include "store/Gbk.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3)
        return 2;
    const std::optional<QByteArray> bytes = Gbk::encode(arguments.at(2));
    return bytes && TemplateFile::write(arguments.at(1), *bytes) ? 0 : 1;
}
