// Times the dictionary browse reader on the shipped main dictionary (the installed
// FreeRADIUS one): the packet editor runs it when it opens.
#include "radius/DictionaryFileReader.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(PELLION_SOURCE_DIR "/data/dictionary/dictionary");
    std::vector<double> ms;
    radius::DictionaryCatalog catalog;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer timer;
        timer.start();
        catalog = radius::DictionaryFileReader::read(path);
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%lld vendors, %d attributes, %lld values, %lld problems\n",
                static_cast<long long>(catalog.vendors().size()), catalog.attributeCount(),
                static_cast<long long>(catalog.values().size()), static_cast<long long>(catalog.problems().size()));
    std::printf("read: median %.1f ms, min %.1f ms, max %.1f ms over %zu runs\n", ms[ms.size() / 2], ms.front(),
                ms.back(), ms.size());
    return 0;
}
