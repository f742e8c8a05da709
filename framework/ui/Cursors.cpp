// Cursors: stock shapes, cursor resources, Screen->Cursors[] and the cursor shown now.
#include "framework/ui/Cursors.h"

#include "framework/rtl/Streams.h"
#include "framework/ui/ControlWidget.h"
#include "framework/ui/DeviceContext.h"
#include "framework/ui/Graphics.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <map>
#include <memory>

struct TCursorHandle {
    bool Stock = false;
    TCursor Shape = crDefault;  // a stock handle's shape
    QImage Image;
    TPoint HotSpot;
};

namespace {

struct TCursorTables {
    std::map<String, std::unique_ptr<TCursorHandle>> Resources;  // by upper-cased resource name
    std::map<TCursor, std::unique_ptr<TCursorHandle>> Stocks;
    std::map<TCursor, HCURSOR> Screen;
    HCURSOR Current = nullptr;
};

TCursorTables& tables() {
    static TCursorTables T;
    return T;
}

// The hot spot's two words, then the bitmap.
std::unique_ptr<TCursorHandle> decodeCursor(const Byte* Data, DWORD Size) {
    if (!Data || Size < 4) return nullptr;
    auto H = std::make_unique<TCursorHandle>();
    H->HotSpot = Point(Data[0] | (Data[1] << 8), Data[2] | (Data[3] << 8));
    TMemoryStream Stream;
    Stream.WriteBuffer(Data + 4, Size - 4);
    Stream.SetPosition(0);
    TBitmap Bitmap;
    try {
        Bitmap.LoadFromStream(&Stream);
    } catch (const Exception&) {
        return nullptr;
    }
    QImage Image = BitmapQImage(&Bitmap)->convertToFormat(QImage::Format_ARGB32);
    if (Image.isNull()) return nullptr;
    const QRgb Key = qRgb(255, 0, 255);
    for (int Y = 0; Y < Image.height(); ++Y)
        for (int X = 0; X < Image.width(); ++X)
            if ((Image.pixel(X, Y) & 0xFFFFFF) == (Key & 0xFFFFFF)) Image.setPixel(X, Y, 0);
    H->Image = std::move(Image);
    return H;
}

HCURSOR loadFound(HINSTANCE Instance, HRSRC Found) {
    if (!Found) return nullptr;
    TCursorTables& T = tables();
    const String Key = ResourceName(Found).toUpper();
    if (auto It = T.Resources.find(Key); It != T.Resources.end()) return It->second.get();
    auto H = decodeCursor(static_cast<const Byte*>(LoadResource(Instance, Found)), SizeofResource(Instance, Found));
    if (!H) return nullptr;
    HCURSOR Result = H.get();
    T.Resources[Key] = std::move(H);
    return Result;
}

QCursor qtCursorOfHandle(HCURSOR Cursor) {
    if (!Cursor) return QCursor(Qt::ArrowCursor);
    if (Cursor->Stock) return QtCursorOf(Cursor->Shape);
    return QCursor(QPixmap::fromImage(Cursor->Image), Cursor->HotSpot.X, Cursor->HotSpot.Y);
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE Instance, int ResID) {
    return loadFound(Instance, FindResource(Instance, ResID, RT_CURSOR));
}

HCURSOR LoadCursor(HINSTANCE Instance, const String& ResName) {
    return loadFound(Instance, FindResource(Instance, ResName, RT_CURSOR));
}

HCURSOR StockCursor(TCursor Cursor) {
    auto& Stocks = tables().Stocks;
    auto& Slot = Stocks[Cursor];
    if (!Slot) {
        Slot = std::make_unique<TCursorHandle>();
        Slot->Stock = true;
        Slot->Shape = Cursor;
    }
    return Slot.get();
}

HCURSOR SetCursor(HCURSOR Cursor) {
    TCursorTables& T = tables();
    const HCURSOR Previous = T.Current;
    T.Current = Cursor;
    // The shape shows on the window that has the mouse: the one holding it, else the one
    // answering WM_SETCURSOR.
    TControl* Over = GetCaptureControl();
    if (!Over) Over = SetCursorTarget();
    if (Over)
        if (QWidget* W = ControlWidgetOf(Over)) W->setCursor(qtCursorOfHandle(Cursor));
    return Previous;
}

HCURSOR GetCursor() { return tables().Current; }

TPoint CursorHotSpot(HCURSOR Cursor) { return Cursor ? Cursor->HotSpot : TPoint{}; }

TSize CursorSize(HCURSOR Cursor) {
    if (!Cursor || Cursor->Stock) return TSize{32, 32};
    return TSize{Cursor->Image.width(), Cursor->Image.height()};
}

HCURSOR ScreenCursor(TCursor Index) {
    TCursorTables& T = tables();
    if (auto It = T.Screen.find(Index); It != T.Screen.end()) return It->second;
    // Indexes of the stock shapes answer without being registered.
    return Index <= 0 ? StockCursor(Index) : StockCursor(crDefault);
}

void SetScreenCursor(TCursor Index, HCURSOR Cursor) {
    TCursorTables& T = tables();
    if (Cursor)
        T.Screen[Index] = Cursor;
    else
        T.Screen.erase(Index);
}

QCursor QtCursorOfIndex(TCursor Index) {
    TCursorTables& T = tables();
    if (auto It = T.Screen.find(Index); It != T.Screen.end()) return qtCursorOfHandle(It->second);
    return QtCursorOf(Index);
}
