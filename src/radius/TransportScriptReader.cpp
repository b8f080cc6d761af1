#include "radius/TransportScriptReader.h"

#include "radius/transport_radius.h"

namespace radius {

TransportScriptReader::~TransportScriptReader()
{
    pel_tr_reader_close(m_reader);
}

std::string TransportScriptReader::open(const std::string &path)
{
    char err[512] = {};
    pel_tr_reader_close(m_reader);
    m_reader = pel_tr_reader_open(path.c_str(), err, sizeof(err));
    return m_reader ? std::string() : std::string(err);
}

TransportScriptReader::Result TransportScriptReader::next()
{
    Result result;
    if (!m_reader) return result;
    char err[1024] = {};
    pel_tr_pairs *pairs = nullptr;
    const int rc = pel_tr_reader_next(m_reader, &pairs, &result.line, err, sizeof(err));
    if (rc > 0) {
        result.status = Status::Packet;
        result.pairs = TransportPairs(pairs);
    } else if (rc < 0) {
        result.status = Status::Failed;
        result.error = err;
    }
    return result;
}

} // namespace radius
