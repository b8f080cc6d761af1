#pragma once

#include <QByteArray>

#include <atomic>
#include <functional>
#include <thread>

// A UDP server on 127.0.0.1 that answers each request with what reply() makes of it
// (nothing when that is empty, counted all the same): at most maxReplies answers, and it
// stops with the object.
class FakeReplyServer {
public:
    using Reply = std::function<QByteArray(const QByteArray &request)>;

    FakeReplyServer(Reply reply, int maxReplies);
    ~FakeReplyServer();
    FakeReplyServer(const FakeReplyServer &) = delete;
    FakeReplyServer &operator=(const FakeReplyServer &) = delete;

    bool isListening() const { return m_fd >= 0; }
    quint16 port() const { return m_port; }
    int answered() const { return m_answered.load(); }

    // A reply to request with code and attributes, signed with secret: the Response
    // Authenticator over the request's authenticator (RFC 2865 section 3).
    static QByteArray signedReply(const QByteArray &request, int code, const QByteArray &attributes,
                                  const QByteArray &secret);
    // The same with a Message-Authenticator (RFC 3579 section 3.2) after the attributes.
    static QByteArray signedWithMessageAuthenticator(const QByteArray &request, int code, const QByteArray &attributes,
                                                     const QByteArray &secret);
    // One attribute: type, length, value.
    static QByteArray attribute(int type, const QByteArray &value);

private:
    void serve(const Reply &reply, int maxReplies);

    int m_fd = -1;
    int m_stopPipe[2] = {-1, -1};
    quint16 m_port = 0;
    std::atomic<int> m_answered{0};
    std::thread m_thread;
};
