#include "framework/net/IdHTTP.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <thread>

#include "tests/support/HttpsTestServer.h"

namespace {

const std::string kLatin1Bytes = "caf\xE9 na\xEFve";  // "café naïve" in Latin-1

// Streams Length bytes, or stops after CutAt bytes (a body cut off midway), or stalls after
// StallAt bytes until the server stops.
httplib::ContentProviderWithoutLength chunkedBody(size_t Length) {
    return [Length, Sent = size_t(0)](size_t, httplib::DataSink& Sink) mutable {
        const std::string Block(std::min<size_t>(4096, Length - Sent), 'x');
        Sink.write(Block.data(), Block.size());
        Sent += Block.size();
        if (Sent >= Length) Sink.done();
        return true;
    };
}

class IdHTTPTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Srv = new THttpsTestServer();
        httplib::Server& S = Srv->Server();
        S.Get("/utf8", [](const httplib::Request&, httplib::Response& R) {
            R.set_content("Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC", "text/html; charset=utf-8");
        });
        S.Get("/latin1", [](const httplib::Request&, httplib::Response& R) {
            R.set_content(kLatin1Bytes, "text/html; charset=\"ISO-8859-1\"");
        });
        S.Get("/nocharset-latin1",
              [](const httplib::Request&, httplib::Response& R) { R.set_content(kLatin1Bytes, "text/html"); });
        S.Get("/unknown-charset", [](const httplib::Request&, httplib::Response& R) {
            R.set_content(kLatin1Bytes, "text/html; charset=x-no-such-set");
        });
        S.Get("/file", [](const httplib::Request&, httplib::Response& R) {
            std::string Body(300000, '\0');
            for (size_t I = 0; I < Body.size(); ++I) Body[I] = static_cast<char>(I * 7 % 251);
            R.set_content(Body, "video/x-flv");
        });
        S.Get("/redirect1", [](const httplib::Request&, httplib::Response& R) {
            R.set_header("Set-Cookie", "session=abc123; Path=/");
            R.set_redirect("/redirect2", 302);
        });
        S.Get("/redirect2", [](const httplib::Request&, httplib::Response& R) { R.set_redirect("/echo-cookie", 301); });
        S.Get("/echo-cookie", [](const httplib::Request& Q, httplib::Response& R) {
            R.set_content("cookie=" + Q.get_header_value("Cookie"), "text/plain");
        });
        S.Get("/set-cookie", [](const httplib::Request&, httplib::Response& R) {
            R.set_header("Set-Cookie", "kept=yes; Path=/");
            R.set_content("ok", "text/plain");
        });
        S.Get("/to-ftp",
              [](const httplib::Request&, httplib::Response& R) { R.set_redirect("ftp://localhost/file", 302); });
        S.Get("/loop", [](const httplib::Request&, httplib::Response& R) { R.set_redirect("/loop", 302); });
        S.Get("/missing", [](const httplib::Request&, httplib::Response& R) {
            R.status = 404;
            R.set_content("no such page", "text/plain");
        });
        S.Get("/broken", [](const httplib::Request&, httplib::Response& R) { R.status = 500; });
        S.Get("/announced", [](const httplib::Request&, httplib::Response& R) {
            R.set_content_provider(12345678, "video/mp4", [](size_t Offset, size_t Length, httplib::DataSink& Sink) {
                const std::string Block(std::min<size_t>(Length, 65536), 'v');
                return Sink.write(Block.data(), Block.size());
            });
        });
        S.Get("/chunked", [](const httplib::Request&, httplib::Response& R) {
            R.set_chunked_content_provider("video/mp4", chunkedBody(200000));
        });
        S.Get("/cut", [](const httplib::Request&, httplib::Response& R) {
            R.set_content_provider(1000, "video/mp4", [](size_t Offset, size_t, httplib::DataSink& Sink) {
                if (Offset > 0) return false;  // the server gives up after half of the body
                const std::string Block(500, 'c');
                return Sink.write(Block.data(), Block.size());
            });
        });
        // Sends 10 bytes of an announced (or chunked) body, then nothing until the server stops.
        auto Stall = [](size_t Offset, httplib::DataSink& Sink) {
            if (Offset == 0) return Sink.write("0123456789", 10);
            for (int I = 0; I < 10 && !Srv->Stopping(); ++I) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            return !Srv->Stopping();
        };
        S.Get("/stall-announced", [Stall](const httplib::Request&, httplib::Response& R) {
            R.set_content_provider(1000, "video/mp4", [Stall](size_t Offset, size_t, httplib::DataSink& Sink) {
                return Stall(Offset, Sink);
            });
        });
        S.Get("/stall-chunked", [Stall](const httplib::Request&, httplib::Response& R) {
            R.set_chunked_content_provider(
                "video/mp4", [Stall](size_t Offset, httplib::DataSink& Sink) { return Stall(Offset, Sink); });
        });
        Srv->Start();
    }
    static void TearDownTestSuite() {
        delete Srv;
        Srv = nullptr;
    }

    // A client that trusts the test authority through its TLS handler.
    void SetUp() override {
        Handler.SetExtraCertificateAuthority(Srv->CaFile());
        Http.SetIOHandler(&Handler);
        Http.SetHandleRedirects(true);
    }

    static String url(const char* Path) { return Srv->Url(QString::fromLatin1(Path)); }

    static THttpsTestServer* Srv;
    TIdSSLIOHandlerSocketOpenSSL Handler;
    TIdHTTP Http;
};

THttpsTestServer* IdHTTPTest::Srv = nullptr;

TEST_F(IdHTTPTest, TextIsDecodedWithTheResponseCharacterSet) {
    struct Case {
        const char* Path;
        String Expected;
    };
    const Case Cases[] = {
        {"/utf8", QStringLiteral(u"Grüße €")},
        {"/latin1", QStringLiteral(u"café naïve")},
        {"/nocharset-latin1", QStringLiteral(u"café naïve")},  // not UTF-8: read as Latin-1
        {"/unknown-charset", QStringLiteral(u"café naïve")},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Path);
        EXPECT_EQ(Http.Get(url(C.Path)), C.Expected);
        EXPECT_EQ(Http.ResponseCode(), 200);
    }
}

TEST_F(IdHTTPTest, StreamDownloadReportsAnnouncedLengthAndProgress) {
    std::vector<Int64> Begins, Works;
    int Ends = 0;
    Http.OnWorkBegin = [&](TObject* Sender, TWorkMode Mode, Int64 Max) {
        EXPECT_EQ(Sender, &Http);
        EXPECT_EQ(Mode, wmRead);
        Begins.push_back(Max);
    };
    Http.OnWork = [&](TObject*, TWorkMode, Int64 Count) { Works.push_back(Count); };
    Http.OnWorkEnd = [&](TObject*, TWorkMode) { ++Ends; };
    TMemoryStream Stream;
    Stream.WriteString(QStringLiteral("head"));  // the body goes after what the stream holds
    Http.Get(url("/file"), &Stream);

    ASSERT_EQ(Stream.Size(), 4 + 300000);
    const Byte* Data = static_cast<const Byte*>(Stream.Memory()) + 4;
    bool Same = true;
    for (size_t I = 0; I < 300000; ++I) Same = Same && Data[I] == static_cast<Byte>(I * 7 % 251);
    EXPECT_TRUE(Same);
    EXPECT_EQ(Begins, std::vector<Int64>{300000});
    ASSERT_FALSE(Works.empty());
    EXPECT_TRUE(std::is_sorted(Works.begin(), Works.end()));
    EXPECT_EQ(Works.back(), 300000);
    EXPECT_EQ(Ends, 1);
    EXPECT_EQ(Http.Response()->ContentLength(), 300000);
    EXPECT_EQ(Http.Response()->ContentType(), QStringLiteral("video/x-flv"));
}

TEST_F(IdHTTPTest, RedirectsAreFollowedWithCookiesKeptWithinTheRequest) {
    EXPECT_EQ(Http.Get(url("/redirect1")), QStringLiteral("cookie=session=abc123"));
    EXPECT_TRUE(Http.URL().endsWith(QStringLiteral("/echo-cookie")));
    // A new request starts without the previous request's cookies.
    EXPECT_EQ(Http.Get(url("/echo-cookie")), QStringLiteral("cookie="));

    TIdHTTP NoRedirects;
    NoRedirects.SetIOHandler(&Handler);
    EXPECT_EQ(NoRedirects.Get(url("/redirect2")), String());
    EXPECT_EQ(NoRedirects.ResponseCode(), 301);
    EXPECT_TRUE(NoRedirects.Response()->Location().endsWith(QStringLiteral("/echo-cookie")));
}

TEST_F(IdHTTPTest, CookieManagerKeepsCookiesAcrossRequests) {
    TIdCookieManager Cookies;
    Http.SetCookieManager(&Cookies);
    Http.Get(url("/set-cookie"));
    EXPECT_EQ(Cookies.CookieValue(QStringLiteral("kept")), QStringLiteral("yes"));
    EXPECT_EQ(Http.Get(url("/echo-cookie")), QStringLiteral("cookie=kept=yes"));
    Cookies.Clear();
    EXPECT_EQ(Http.Get(url("/echo-cookie")), QStringLiteral("cookie="));
}

TEST_F(IdHTTPTest, RequestHeadersReachTheServer) {
    Http.Request()->SetUserAgent(
        QStringLiteral("Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:94.0) Gecko/20100101 Firefox/94.0"));
    Http.Request()->SetAccept(QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
    Http.Request()->SetAcceptLanguage(QStringLiteral("en-US,en;q=0.5"));
    Http.Request()->AddCustomHeader(QStringLiteral("X-Test"), QStringLiteral("1"));
    Srv->ClearRequests();
    Http.Get(url("/utf8"));
    const auto Seen = Srv->Requests();
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(Seen[0].Target, "/utf8");
    EXPECT_EQ(Seen[0].Header("User-Agent"),
              "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:94.0) Gecko/20100101 Firefox/94.0");
    EXPECT_EQ(Seen[0].Header("Accept"), "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    EXPECT_EQ(Seen[0].Header("Accept-Language"), "en-US,en;q=0.5");
    EXPECT_EQ(Seen[0].Header("X-Test"), "1");
}

TEST_F(IdHTTPTest, ProbeDisconnectingInWorkBeginReadsNoBody) {
    Int64 Announced = 0;
    int WorkCalls = 0;
    Http.Request()->SetUserAgent(QStringLiteral("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)"));
    Http.OnWorkBegin = [&](TObject*, TWorkMode, Int64 Max) {
        Announced = Max;
        Http.Disconnect();
    };
    Http.OnWork = [&](TObject*, TWorkMode, Int64) { ++WorkCalls; };
    EXPECT_EQ(Http.Get(url("/announced")), String());
    EXPECT_EQ(Announced, 12345678);
    EXPECT_EQ(WorkCalls, 0);

    // Without an announced length the same close is a failure, as the body's end is unknown.
    EXPECT_THROW(Http.Get(url("/chunked")), EIdConnClosedGracefully);
    EXPECT_EQ(Announced, 0);
    // The next request on the same client starts afresh.
    Http.OnWorkBegin = nullptr;
    EXPECT_EQ(Http.Get(url("/chunked")).size(), 200000);
    // A Disconnect that comes before the request (a stop racing with its start) ends it.
    Http.Disconnect();
    EXPECT_THROW(Http.Get(url("/chunked")), EIdConnClosedGracefully);
    EXPECT_EQ(Http.Get(url("/chunked")).size(), 200000);
}

TEST_F(IdHTTPTest, FailuresRaiseTheirKindWithAReadableMessage) {
    try {
        Http.Get(url("/missing"));
        ADD_FAILURE() << "no exception";
    } catch (const EIdHTTPProtocolException& E) {
        EXPECT_EQ(E.ErrorCode(), 404);
        EXPECT_TRUE(E.Message().contains(QStringLiteral("404 Not Found"))) << E.Message().toStdString();
        EXPECT_EQ(E.ErrorMessage(), QStringLiteral("no such page"));
    }
    EXPECT_THROW(Http.Get(url("/broken")), EIdHTTPProtocolException);
    EXPECT_THROW(Http.Get(url("/loop")), EIdTooManyRedirects);
    EXPECT_THROW(Http.Get(url("/cut")), EIdSocketError);

    Srv->ClearRequests();
    try {
        Http.Get(url("/to-ftp"));
        ADD_FAILURE() << "no exception";
    } catch (const EIdUnsupportedScheme& E) {
        EXPECT_TRUE(E.Message().contains(QStringLiteral("ftp://localhost/file"))) << E.Message().toStdString();
    }
    EXPECT_EQ(Srv->Requests().size(), 1u);

    // Addresses that are not http or https are refused before anything is sent.
    for (const char* Address :
         {"ftp://localhost/file", "file:///etc/passwd", "", "no address", "javascript:alert(1)"}) {
        SCOPED_TRACE(Address);
        EXPECT_THROW(Http.Get(QString::fromLatin1(Address)), EIdUnsupportedScheme);
    }
    EXPECT_EQ(Srv->Requests().size(), 1u);

    TIdHTTP Closed;
    EXPECT_THROW(Closed.Get(QStringLiteral("https://127.0.0.1:1/")), EIdSocketError);
}

TEST_F(IdHTTPTest, UnknownCertificatesAndWrongNamesFail) {
    TIdHTTP Plain;  // only the system's trust store
    EXPECT_THROW(Plain.Get(url("/utf8")), EIdTLSError);

    TIdSSLIOHandlerSocketOpenSSL Other;
    Other.SetExtraCertificateAuthority(Srv->UnrelatedCaFile());
    Plain.SetIOHandler(&Other);
    EXPECT_THROW(Plain.Get(url("/utf8")), EIdTLSError);

    // The right authority but a name the certificate does not cover.
    Http.AddHostMapping(QStringLiteral("elsewhere.example"), Srv->Port(), QStringLiteral("127.0.0.1"), Srv->Port());
    EXPECT_THROW(Http.Get(Srv->Url(QStringLiteral("/utf8"), QStringLiteral("elsewhere.example"))), EIdTLSError);

    TIdSSLIOHandlerSocketOpenSSL Bad;
    EXPECT_THROW(Bad.SetExtraCertificateAuthority(QStringLiteral("/nonexistent/ca.pem")), EIdTLSError);
}

TEST_F(IdHTTPTest, GlobalInstallReachesTheQuilloryHostOnLoopback) {
    TIdHTTP Fresh;  // no handler of its own, as the program's threads create them
    {
        THttpsTestServer::TGlobalInstall Install(*Srv);
        EXPECT_EQ(Fresh.Get(Srv->Url(QStringLiteral("/utf8"), QStringLiteral("www.quillory.com"))),
                  QStringLiteral(u"Grüße €"));
    }
    EXPECT_THROW(Fresh.Get(url("/utf8")), EIdTLSError);
}

TEST_F(IdHTTPTest, StalledTransferEndsSoonAfterDisconnectFromAnotherThread) {
    struct Case {
        const char* Path;
        bool UseCheck;     // OnCheckTerminated instead of Disconnect
        bool ExpectError;  // no announced length
    };
    const Case Cases[] = {
        {"/stall-announced", false, false}, {"/stall-chunked", false, true}, {"/stall-chunked", true, true}};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Path);
        std::atomic<bool> Stop{false};
        QElapsedTimer SinceStop;
        std::atomic<bool> Began{false};
        Http.OnWorkBegin = [&](TObject*, TWorkMode, Int64) { Began = true; };
        Http.OnCheckTerminated = C.UseCheck ? std::function<bool()>([&] { return Stop.load(); }) : nullptr;
        std::thread Stopper([&] {
            while (!Began) std::this_thread::sleep_for(std::chrono::milliseconds(5));
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            SinceStop.start();
            if (C.UseCheck)
                Stop = true;
            else
                Http.Disconnect();
        });
        TMemoryStream Stream;
        if (C.ExpectError)
            EXPECT_THROW(Http.Get(Srv->Url(QString::fromLatin1(C.Path)), &Stream), EIdConnClosedGracefully);
        else
            EXPECT_NO_THROW(Http.Get(Srv->Url(QString::fromLatin1(C.Path)), &Stream));
        Stopper.join();
        EXPECT_LT(SinceStop.elapsed(), 1000);
        EXPECT_EQ(Stream.Size(), 10);
    }
}

TEST_F(IdHTTPTest, BodyLimitRefusesLargerResponses) {
    Http.SetMaxBodySize(1000);
    EXPECT_THROW(Http.Get(url("/file")), EIdBodyTooLarge);     // announced beyond the limit
    EXPECT_THROW(Http.Get(url("/chunked")), EIdBodyTooLarge);  // grows beyond it
    Http.SetMaxBodySize(300000);
    EXPECT_EQ(Http.Get(url("/file")).size(), 300000);  // exactly the limit is allowed
}

TEST(IdDecodeBody, FallsBackToLatin1) {
    const TBytes Utf8{0xC3, 0xA9};
    EXPECT_EQ(IdDecodeBody(Utf8, String()), QStringLiteral(u"é"));
    EXPECT_EQ(IdDecodeBody(Utf8, QStringLiteral("iso-8859-1")), QStringLiteral(u"Ã©"));
    EXPECT_EQ(IdDecodeBody(TBytes{0xE9}, String()), QStringLiteral(u"é"));
    EXPECT_EQ(IdDecodeBody(TBytes{0xEF, 0xBB, 0xBF, 0x41}, String()), QStringLiteral("A"));
}

}  // namespace
