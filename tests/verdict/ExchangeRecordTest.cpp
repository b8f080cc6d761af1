#include "verdict/ExchangeRecord.h"
#include "verdict/Percentiles.h"

#include <gtest/gtest.h>

using namespace verdict;

TEST(ExchangeRecords, ReadsEveryMemberAndNamesTheFirstLineThatDoesNotRead)
{
    const QByteArray content = R"({"packet":2,"repetition":3,"id":7,"request":1,"reply":2,)"
                               R"("attributes":[{"name":"Reply-Message","value":"hi \"you\""}],)"
                               R"("ms":1.25,"retries":1,"verified":true})"
                               "\n\n"
                               R"({"packet":1,"repetition":1,"id":null,"request":4,"reply":null,"attributes":[],)"
                               R"("ms":null,"retries":0,"verified":false})"
                               "\n";
    const ExchangeFile file = parseExchangeLines(content);
    ASSERT_TRUE(file.error.isEmpty()) << file.error.toStdString();
    ASSERT_EQ(file.exchanges.size(), 2);
    const Exchange &first = file.exchanges[0];
    EXPECT_EQ(first.packet, 2);
    EXPECT_EQ(first.repetition, 3);
    EXPECT_EQ(first.id, 7);
    EXPECT_EQ(first.replyCode, 2);
    ASSERT_EQ(first.attributes.size(), 1);
    EXPECT_EQ(first.attributes[0].value, R"(hi "you")");
    EXPECT_EQ(first.responseMs, 1.25);
    EXPECT_EQ(first.retries, 1);
    EXPECT_TRUE(first.verified);
    EXPECT_FALSE(file.exchanges[1].id.has_value());
    EXPECT_FALSE(file.exchanges[1].replyCode.has_value());

    // A line cut short (the client was killed mid-write) or of another shape stops the
    // reading and is named.
    for (const QByteArray &bad : {QByteArray(R"({"packet":1,"repetition":1,"id":3,"requ)"),
                                  QByteArray(R"({"packet":"1","repetition":1,"request":1,"reply":2,"verified":true})"),
                                  QByteArray(R"([1,2])")}) {
        const ExchangeFile broken = parseExchangeLines(content + bad + "\n");
        EXPECT_EQ(broken.exchanges.size(), 2);
        EXPECT_TRUE(broken.error.startsWith("line 4: ")) << broken.error.toStdString();
    }
    EXPECT_FALSE(readExchangeFile("/nonexistent/records.jsonl").has_value());
}

TEST(ExchangeRecords, PercentilesTakeTheNearestRankOfVerifiedReplies)
{
    QList<Exchange> exchanges;
    for (int ms = 100; ms >= 1; --ms) { // out of order on purpose
        Exchange exchange;
        exchange.verified = true;
        exchange.responseMs = ms;
        exchanges << exchange;
    }
    Exchange lost; // no time, not counted
    exchanges << lost;
    const ResponsePercentiles all = responsePercentiles(exchanges);
    EXPECT_EQ(all.p50, 50);
    EXPECT_EQ(all.p95, 95);
    EXPECT_EQ(all.p99, 99);
    EXPECT_EQ(all.max, 100);

    const ResponsePercentiles one = responsePercentiles({exchanges[99]});
    EXPECT_EQ(one.p50, 1);
    EXPECT_EQ(one.p99, 1);
    EXPECT_FALSE(responsePercentiles({lost}).p50.has_value());
}
