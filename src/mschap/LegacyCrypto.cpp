#include "mschap/LegacyCrypto.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <memory>

namespace mschap {

namespace {

std::string lastOpenSslError(const std::string &what)
{
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0)
        return what;
    char text[256];
    ERR_error_string_n(code, text, sizeof(text));
    return what + ": " + text;
}

class Algorithms {
public:
    Algorithms()
    {
        m_context = OSSL_LIB_CTX_new();
        if (!m_context) {
            m_error = lastOpenSslError("cannot create an OpenSSL library context");
            return;
        }
        m_legacy = OSSL_PROVIDER_load(m_context, "legacy");
        m_default = OSSL_PROVIDER_load(m_context, "default");
        if (!m_legacy || !m_default) {
            m_error = lastOpenSslError(std::string("cannot load OpenSSL's ") + (m_legacy ? "default" : "legacy")
                                       + " provider (MD4 and DES for MS-CHAP)");
            return;
        }
        m_md4 = EVP_MD_fetch(m_context, "MD4", nullptr);
        m_md5 = EVP_MD_fetch(m_context, "MD5", nullptr);
        m_sha1 = EVP_MD_fetch(m_context, "SHA1", nullptr);
        m_des = EVP_CIPHER_fetch(m_context, "DES-ECB", nullptr);
        if (!m_md4 || !m_md5 || !m_sha1 || !m_des)
            m_error = lastOpenSslError("OpenSSL lacks MD4, MD5, SHA-1 or DES-ECB");
    }

    ~Algorithms()
    {
        EVP_CIPHER_free(m_des);
        EVP_MD_free(m_sha1);
        EVP_MD_free(m_md5);
        EVP_MD_free(m_md4);
        if (m_default)
            OSSL_PROVIDER_unload(m_default);
        if (m_legacy)
            OSSL_PROVIDER_unload(m_legacy);
        OSSL_LIB_CTX_free(m_context);
    }

    Algorithms(const Algorithms &) = delete;
    Algorithms &operator=(const Algorithms &) = delete;

    const std::string &error() const { return m_error; }
    bool ready() const { return m_error.empty(); }

    QByteArray digest(const EVP_MD *md, const QByteArray &data) const
    {
        if (!ready())
            return {};
        QByteArray out(EVP_MD_get_size(md), '\0');
        unsigned int length = 0;
        const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
        if (!context || !EVP_DigestInit_ex(context.get(), md, nullptr)
            || !EVP_DigestUpdate(context.get(), data.constData(), std::size_t(data.size()))
            || !EVP_DigestFinal_ex(context.get(), reinterpret_cast<unsigned char *>(out.data()), &length))
            return {};
        return out;
    }

    QByteArray desEncrypt(const QByteArray &key, const QByteArray &block) const
    {
        if (!ready() || key.size() != 8 || block.size() != 8)
            return {};
        const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                                      EVP_CIPHER_CTX_free);
        QByteArray out(16, '\0');
        int written = 0;
        const auto *keyOctets = reinterpret_cast<const unsigned char *>(key.constData());
        if (!context || !EVP_EncryptInit_ex2(context.get(), m_des, keyOctets, nullptr, nullptr)
            || !EVP_CIPHER_CTX_set_padding(context.get(), 0)
            || !EVP_EncryptUpdate(context.get(), reinterpret_cast<unsigned char *>(out.data()), &written,
                                  reinterpret_cast<const unsigned char *>(block.constData()), 8)
            || written != 8)
            return {};
        out.truncate(8);
        return out;
    }

    const EVP_MD *md4() const { return m_md4; }
    const EVP_MD *md5() const { return m_md5; }
    const EVP_MD *sha1() const { return m_sha1; }

private:
    OSSL_LIB_CTX *m_context = nullptr;
    OSSL_PROVIDER *m_legacy = nullptr;
    OSSL_PROVIDER *m_default = nullptr;
    EVP_MD *m_md4 = nullptr;
    EVP_MD *m_md5 = nullptr;
    EVP_MD *m_sha1 = nullptr;
    EVP_CIPHER *m_des = nullptr;
    std::string m_error;
};

const Algorithms &algorithms()
{
    static const Algorithms instance;
    return instance;
}

} // namespace

std::string LegacyCrypto::error()
{
    return algorithms().error();
}

QByteArray LegacyCrypto::md4(const QByteArray &data)
{
    return algorithms().digest(algorithms().md4(), data);
}

QByteArray LegacyCrypto::md5(const QByteArray &data)
{
    return algorithms().digest(algorithms().md5(), data);
}

QByteArray LegacyCrypto::sha1(const QByteArray &data)
{
    return algorithms().digest(algorithms().sha1(), data);
}

QByteArray LegacyCrypto::desEncrypt(const QByteArray &key, const QByteArray &block)
{
    return algorithms().desEncrypt(key, block);
}

} // namespace mschap
