#include "taskdef/RequestReader.h"

#include "radius/Dictionary.h"
#include "taskdef/PacketTextReader.h"

#include <QFile>

#include <cstdio>
#include <optional>

namespace taskdef {

namespace {
constexpr qsizetype MaxPassword = 253;

// The special attributes, taken by name: their numbers differ between dictionaries.
struct SpecialAttributes {
    std::optional<radius::AttributeInfo> packetType, dstPort, userPassword, chapPassword, digestAttributes;
    std::optional<radius::AttributeInfo> digest[10];

    SpecialAttributes()
    {
        using radius::Dictionary;
        packetType = Dictionary::attribute(QStringLiteral("Packet-Type"));
        dstPort = Dictionary::attribute(QStringLiteral("Packet-Dst-Port"));
        userPassword = Dictionary::attribute(QStringLiteral("User-Password"));
        chapPassword = Dictionary::attribute(QStringLiteral("CHAP-Password"));
        digestAttributes = Dictionary::attribute(QStringLiteral("Digest-Attributes"));
        static const char *const names[10] = {
            "Digest-Realm",     "Digest-Nonce",       "Digest-Method", "Digest-URI",         "Digest-QOP",
            "Digest-Algorithm", "Digest-Body-Digest", "Digest-CNonce", "Digest-Nonce-Count", "Digest-User-Name"};
        for (int i = 0; i < 10; ++i)
            digest[i] = Dictionary::attribute(QLatin1String(names[i]));
    }
};

bool is(const radius::PairValue &pair, const std::optional<radius::AttributeInfo> &a)
{
    return a && pair.attribute.number == a->number && pair.attribute.vendor == a->vendor;
}

void errorLine(RequestReader::Reporting reporting, const QString &text)
{
    if (reporting == RequestReader::Reporting::StandardError)
        std::fprintf(stderr, "Error: %s\n", text.toLocal8Bit().constData());
}

QByteArray savedPassword(const radius::PairList &pairs, const SpecialAttributes &s)
{
    for (const auto *a : {&s.userPassword, &s.chapPassword}) {
        if (!*a)
            continue;
        const int i = pairs.indexOf((*a)->number, (*a)->vendor);
        if (i >= 0)
            return pairs.at(i).octets.left(MaxPassword);
    }
    return {};
}

void applySpecials(RequestRecord &record, const SpecialAttributes &s)
{
    radius::PairList &pairs = record.packet.pairs();
    for (int i = 0; i < pairs.size(); ++i) {
        const radius::PairValue pair = pairs.at(i);
        if (is(pair, s.packetType)) {
            record.packet.setCode(unsigned(pair.integer));
        } else if (is(pair, s.dstPort)) {
            record.packet.setDstPort(quint16(pair.integer & 0xffff));
        } else if (s.digestAttributes) {
            for (int k = 0; k < 10; ++k) {
                if (!is(pair, s.digest[k]))
                    continue;
                // Sub-attribute number, length, value: the Digest-Attributes layout.
                QByteArray folded;
                folded.append(char(k + 1));
                folded.append(char(qMin<qsizetype>(pair.octets.size() + 2, 255)));
                folded.append(pair.octets.left(253));
                pairs.replaceWithOctets(i, s.digestAttributes->number, s.digestAttributes->vendor, folded);
                break;
            }
        }
    }
}
} // namespace

RequestReader::Outcome RequestReader::read(const QString &path, Reporting reporting)
{
    Outcome out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.error = QStringLiteral("Error opening script file %1: %2").arg(path, file.errorString());
        errorLine(reporting, out.error);
        return out;
    }
    const SpecialAttributes specials;
    PacketTextReader reader(&file);
    reader.setReportsToStandardError(reporting == Reporting::StandardError);
    while (!reader.atEnd()) {
        RequestRecord record{int(out.records.size()) + 1, path, radius::RequestPacket(), {}, 0};
        record.packet.setCode(0);
        const std::optional<ScriptPacket> packet = reader.readNextPacket();
        if (!packet) {
            out.error = reader.error();
            out.errorLine = reader.errorLine();
            break;
        }
        record.line = packet->first().line;
        bool failed = false;
        for (const ScriptPair &pair : *packet) {
            const radius::Status added = record.packet.pairs().add(pair.name, pair.value, pair.op);
            if (!added) {
                out.error = added.error();
                out.errorLine = pair.line;
                errorLine(reporting, out.error);
                failed = true;
                break;
            }
        }
        if (failed)
            break;
        record.password = savedPassword(record.packet.pairs(), specials);
        applySpecials(record, specials);
        out.records.push_back(std::move(record));
    }
    return out;
}

} // namespace taskdef
