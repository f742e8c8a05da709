#include "framework/rtl/ComponentStream.h"

#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

class TStored : public TComponent {
public:
    using TComponent::TComponent;
    int Number = 0;
    String Text;
    bool HasText = true;
    int LoadedCalls = 0;

protected:
    void DefineProperties(TFiler* Filer) override {
        Filer->DefineProperty(
            QStringLiteral("Number"), [this](TReader* R) { Number = R->ReadInteger(); },
            [this](TWriter* W) { W->WriteInteger(Number); }, true);
        Filer->DefineProperty(
            QStringLiteral("Text"), [this](TReader* R) { Text = R->ReadString(); },
            [this](TWriter* W) { W->WriteString(Text); }, HasText);
    }
    void Loaded() override {
        TComponent::Loaded();
        ++LoadedCalls;
    }
};

QByteArray bytesOf(TMemoryStream& S) { return QByteArray(static_cast<const char*>(S.Memory()), int(S.Size())); }

TEST(ComponentStreamTest, GoldenBytesPerIntegerSize) {
    const struct {
        Int64 Value;
        QByteArray Bytes;
    } Cases[] = {
        {5, QByteArray("\x02\x05", 2)},
        {-128, QByteArray("\x02\x80", 2)},
        {300, QByteArray("\x03\x2C\x01", 3)},
        {70000, QByteArray("\x04\x70\x11\x01\x00", 5)},
        {Int64(1) << 40, QByteArray("\x13\x00\x00\x00\x00\x00\x01\x00\x00", 9)},
    };
    for (const auto& C : Cases) {
        TMemoryStream S;
        TWriter(&S).WriteInteger(C.Value);
        EXPECT_EQ(bytesOf(S), C.Bytes) << C.Value;
        S.SetPosition(0);
        EXPECT_EQ(TReader(&S).ReadInt64(), C.Value);
    }
}

TEST(ComponentStreamTest, ComponentRoundTripAndLayout) {
    TStored Source(nullptr);
    Source.SetName(QStringLiteral("Src"));
    Source.Number = 2;
    Source.Text = QStringLiteral("h\u00e9");
    TMemoryStream S;
    WriteComponentToStream(&S, &Source);
    EXPECT_TRUE(bytesOf(S).startsWith(QByteArray("TPF0\x07TStored\x03Src\x06Number\x02\x02", 24)));
    EXPECT_TRUE(bytesOf(S).endsWith(QByteArray("\x00\x00", 2)));

    TStored Target(nullptr);
    S.SetPosition(0);
    ReadComponentFromStream(&S, &Target);
    EXPECT_EQ(Target.Number, 2);
    EXPECT_EQ(Target.Text, QStringLiteral("h\u00e9"));
    EXPECT_EQ(Target.Name(), QStringLiteral("Src"));
    EXPECT_EQ(Target.LoadedCalls, 1);
    EXPECT_FALSE(Target.ComponentState().Contains(csLoading));
}

TEST(ComponentStreamTest, DamagedStreamsRaiseReadError) {
    TStored Source(nullptr);
    Source.HasText = false;
    TMemoryStream Good;
    WriteComponentToStream(&Good, &Source);
    const QByteArray G = bytesOf(Good);
    const struct {
        const char* Name;
        QByteArray Bytes;
    } Cases[] = {
        {"no signature", QByteArray("TPF1") + G.mid(4)},
        {"truncated", G.left(G.size() - 3)},
        {"other class", QByteArray("TPF0\x05TNone\x00\x00\x00", 12)},
        {"unknown property", QByteArray("TPF0\x07TStored\x00\x03Foo\x02\x01\x00\x00", 20)},
    };
    for (const auto& C : Cases) {
        TStored Target(nullptr);
        TMemoryStream S;
        S.WriteBuffer(C.Bytes.constData(), C.Bytes.size());
        S.SetPosition(0);
        EXPECT_THROW(ReadComponentFromStream(&S, &Target), EReadError) << C.Name;
        EXPECT_FALSE(Target.ComponentState().Contains(csLoading)) << C.Name;
    }
}

}  // namespace
