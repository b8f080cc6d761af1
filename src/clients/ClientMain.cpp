#include "clients/ClientMain.h"

#include "clients/ClientOptions.h"
#include "clients/ConsoleOutput.h"
#include "clients/DictionaryLocation.h"
#include "clients/EapConversation.h"
#include "clients/ExchangeRecords.h"
#include "clients/MsChapV2Conversation.h"
#include "clients/PacketScript.h"
#include "clients/PlainConversation.h"
#include "clients/RequestEngine.h"
#include "clients/RunStatistics.h"
#include "clients/SecretFile.h"
#include "clients/ServerAddress.h"
#include "clients/ServerCheck.h"
#include "mschap/LegacyCrypto.h"
#include "radius/Dictionary.h"

#include <QString>

#include <csignal>

#include <unistd.h>

namespace clients {

namespace {

constexpr int kAccessRequest = 1;

// The port a server listens on for the code when the command line names none.
std::uint16_t standardPort(int code, Transport transport)
{
    constexpr int kAccountingRequest = 4;
    constexpr int kDisconnectRequest = 40;
    constexpr int kCoaRequest = 43;
    if (transport == Transport::Tls)
        return 2083; // RadSec carries every code on one port
    if (code == kAccountingRequest)
        return 1813;
    if (code == kDisconnectRequest || code == kCoaRequest)
        return 3799;
    return 1812;
}

int usage(const std::string &program, bool eapClient, const std::string &reason)
{
    const std::string text = "Error: " + reason + "\r\n" + usageText(program, eapClient);
    [[maybe_unused]] const ssize_t n = ::write(2, text.data(), text.size());
    return 2;
}

// Only Access-Requests carry EAP or MS-CHAP; other codes go out as they are.
template <class AccessConversation>
RequestEngine::ConversationFactory accessRequestsAs()
{
    return [](const PacketTemplate &packet) -> std::unique_ptr<Conversation> {
        if (packet.code == kAccessRequest)
            return std::make_unique<AccessConversation>(packet);
        return std::make_unique<PlainConversation>(packet);
    };
}

} // namespace

int runClient(int argc, char **argv, bool eapClient)
{
    const std::string program = eapClient ? "radeapclient" : "radclient";
    std::vector<std::string> words(argv + 1, argv + argc);
    // Pellion asks this to know that the client takes its own options (-R, -S, ...).
    if (words.size() == 1 && words[0] == "-v") {
        const std::string text = program + ": " + kOwnClientMark + " " PELLION_VERSION "\r\n";
        [[maybe_unused]] const ssize_t n = ::write(1, text.data(), text.size());
        return 0;
    }
    ClientOptions options;
    std::string reason;
    if (!parseClientOptions(words, eapClient, options, reason))
        return usage(program, eapClient, reason);
    ServerAddress server;
    if (const std::string error = server.parse(options.server, standardPort(options.code, options.transport));
        !error.empty())
        return usage(program, eapClient, error);
    if (eapClient)
        options.parallel = 1;
    // A connection the server closed comes back as an error line, not as the end of the process.
    std::signal(SIGPIPE, SIG_IGN);

    ConsoleOutput out;
    if (!options.secretFile.empty())
        if (const std::string error = readSecretFile(options.secretFile, options.secret); !error.empty()) {
            out.error(error);
            return 1;
        }
    std::vector<std::string> tried;
    const std::string dictionaryDir = DictionaryLocation::find(options.dictionaryDir, tried);
    const radius::Status loaded =
        radius::Dictionary::load(QString::fromStdString(dictionaryDir), QStringLiteral("dictionary"));
    if (!loaded) {
        std::string where;
        for (const std::string &dir : tried)
            where += (where.empty() ? "" : ", ") + dir + "/dictionary";
        out.error("Cannot read the dictionary (looked for " + where + "): " + loaded.error().toStdString());
        return 1;
    }
    if (const std::string error = server.resolve(); !error.empty()) {
        out.error(error);
        return 1;
    }
    if (options.checkServer)
        return ServerCheck(options, server, out).run() ? 0 : 1;
    PacketScript script;
    if (const std::string error = script.load(options.scriptFile, options.code, server.port()); !error.empty()) {
        out.error(error);
        return 1;
    }

    const bool mschapInside = options.msChapV2 || options.eap.method == EapOptions::Method::MsChapV2
        || options.eap.method == EapOptions::Method::Peap
        || (options.eap.method == EapOptions::Method::Ttls && options.eap.inner == EapOptions::Inner::MsChapV2);
    if (mschapInside)
        if (const std::string error = mschap::LegacyCrypto::error(); !error.empty()) {
            out.error(error);
            return 1;
        }

    ExchangeRecords records;
    if (!options.recordsFile.empty())
        if (const std::string error = records.open(options.recordsFile); !error.empty()) {
            out.error(error);
            return 1;
        }

    out.info(program + ": " + std::to_string(script.packets().size()) + " packet(s) x " + std::to_string(options.repeat)
             + " to " + server.display(server.port()));
    RunStatistics stats;
    RequestEngine::ConversationFactory factory;
    if (eapClient)
        factory = [eap = options.eap](const PacketTemplate &packet) -> std::unique_ptr<Conversation> {
            if (packet.code == kAccessRequest)
                return std::make_unique<EapConversation>(packet, eap);
            return std::make_unique<PlainConversation>(packet);
        };
    else if (options.msChapV2)
        factory = accessRequestsAs<MsChapV2Conversation>();
    else
        factory = [](const PacketTemplate &packet) { return std::make_unique<PlainConversation>(packet); };
    RequestEngine engine(options, server, script.packets(), factory, out, stats);
    engine.setRecords(&records);
    const bool ran = engine.run();
    if (options.summary)
        for (const std::string &line : stats.summaryLines(engine.elapsedSeconds(), eapClient))
            out.line(line);
    out.flush();
    const bool complete = stats.count(Outcome::Lost) == 0 && stats.count(Outcome::Failed) == 0;
    return ran && complete ? 0 : 1;
}

} // namespace clients
