#include "reports/RawPacketPage.h"

#include "reports/PacketAttributes.h"
#include "reports/PacketTruncation.h"
#include "reports/RawPacketText.h"
#include "reports/RequestPreparation.h"

#include "radius/HostLookup.h"

namespace reports {

namespace {

// Fills in what the script left unset; false when a request has no code and the task
// gives none.
bool completeRequests(std::vector<taskdef::RequestRecord> &records, const RawPacketSettings &settings, quint32 address)
{
    for (taskdef::RequestRecord &record : records) {
        radius::RequestPacket &packet = record.packet;
        const quint16 port = packet.dstPort() != 0 ? packet.dstPort() : quint16(settings.defaultPort);
        packet.setDestination(address, port);
        if (packet.code() == 0) {
            if (settings.defaultCode == -1)
                return false;
            packet.setCode(unsigned(settings.defaultCode));
        }
    }
    return true;
}

} // namespace

QStringList RawPacketPage::lines(const RawPacketSettings &settings, const RequestSource &readRequests)
{
    QStringList out = RawPacketText::figure();
    if (!settings.modeComputedByClient.isEmpty()) {
        out << RawPacketText::computedByClient(settings.modeComputedByClient);
        return out;
    }
    const auto resolved = radius::HostLookup::address(settings.serverIp);
    if (!resolved) {
        out << RawPacketText::unresolvedHost(settings.serverIp);
        return out;
    }
    // The octets do not hold the destination: an IPv6 server's requests carry none.
    const auto ipv4 =
        resolved->ipv6 ? radius::Result<quint32>(0) : radius::HostLookup::ipv4NetworkOrder(resolved->text);
    const quint32 address = ipv4 ? *ipv4 : 0;
    std::vector<taskdef::RequestRecord> records = readRequests();
    if (records.empty()) {
        out << RawPacketText::noPackets();
        return out;
    }
    if (!completeRequests(records, settings, address)) {
        out << RawPacketText::badPacketCode();
        return out;
    }

    const RequestPreparation preparation(PacketAttributes::fromDictionary(), settings.placement);
    int nextId = settings.startId;
    for (int k = 0; k < int(records.size()); ++k) {
        radius::RequestPacket &packet = records[k].packet;
        packet.setId(nextId++ & 0xff);
        const radius::Status prepared = settings.eapMode ? preparation.prepareEap(packet, settings.fallbackEapId)
                                                         : preparation.preparePlain(packet, records[k].password);
        if (!prepared) {
            out << RawPacketText::failedBlock(k, prepared.error());
            continue;
        }
        const auto encoded = packet.encode(settings.secret);
        if (!encoded)
            out << RawPacketText::failedBlock(k, encoded.error());
        else if (PacketTruncation::isTruncated(packet.pairs(), *encoded))
            out << RawPacketText::failedBlock(k, PacketTruncation::message());
        else
            out << RawPacketText::block(k, *encoded);
    }
    return out;
}

} // namespace reports
