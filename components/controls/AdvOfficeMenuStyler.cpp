#include "components/controls/AdvOfficeMenuStyler.h"

#include "components/controls/AdvToolButton.h"
#include "framework/ui/Messages.h"

#include <iterator>

using namespace advmenu;

namespace {

// Marks a value that a style leaves as it is.
constexpr TColor kKept = 0x2FFFFFFF;
constexpr int kKeptDir = -1;

// What the popup menu shows.
struct MenuLook {
    TColor Background, BackgroundTo, MenuBorder;
    TColor IconBar, IconBarTo, IconBarSeparator;
    TColor Selected, SelectedTo, SelectedMirror, SelectedMirrorTo, SelectedBorder;
    TColor Separator, SeparatorTo;
};

constexpr MenuLook kMenuLooks[] = {
    // clang-format off
    //                           Background          Border    IconBar                      Separator  Selected                                         Border    Separator
    /* osOffice2003Blue */      {0xF6F6F6, 0xF6F6F6, 0x962D00, 0xFFEFE3, 0xE4AD87, kKept,    0xC2EEFF, clNone,   clNone,   clNone,   0x800000, 0xCB8C6A, clNone},
    /* osOffice2003Silver */    {0xF6F6F6, 0xF6F6F6, 0x5E8D75, 0xFFF9F9, 0xB99D9F, kKept,    0xC2EEFF, clNone,   clNone,   clNone,   0x080000, 0x8F6D6E, clNone},
    /* osOffice2003Olive */     {0xF6F6F6, 0xF6F6F6, 0x5E8D75, 0xEDFFFF, 0x92C7B8, kKept,    0xC2EEFF, clNone,   clNone,   clNone,   0x385D3F, 0x588060, clNone},
    /* osOfficeXP */            {clWindow, clWindow, 0x808080, clBtnFace, clNone,  kKept,    0xEFD3C6, clNone,   clNone,   clNone,   0xC66931, 0x7A868A, clNone},
    /* osOffice2007Luna */      {0xF6F6F6, 0xF6F6F6, 0xC0C0C0, 0xEEEEE9, 0xEEEEE9, 0xC5C5C5, 0xEBFDFF, 0xABEBFF, 0x69D6FF, 0x96E4FF, 0x99CEDB, 0xC5C5C5, clNone},
    /* osOffice2007Obsidian */  {0xF6F6F6, 0xF6F6F6, 0xC0C0C0, 0xEEEEE9, 0xEEEEE9, 0xC5C5C5, 0xEBFDFF, 0xABEBFF, 0x69D6FF, 0x96E4FF, 0x99CEDB, 0xC5C5C5, clNone},
    /* osCustom */              {kKept,    kKept,    kKept,    kKept,    kKept,    kKept,    kKept,    kKept,    kKept,    kKept,    kKept,    kKept,    kKept},
    /* osOffice2007Silver */    {0xFAFAFA, 0xFAFAFA, 0x868686, 0xEFEFEF, 0xEFEFEF, 0xC5C5C5, 0xEBFDFF, 0xABEBFF, 0x69D6FF, 0x96E4FF, 0x99CEDB, 0xC5C5C5, clNone},
    /* osVista */               {0xEEEEEE, clNone,   0x979797, 0xEEEEEE, clNone,   0xC5C5C5, 0xF4F1EB, 0xF3EBDA, clNone,   clNone,   0xEBD8A8, 0xE0E0E0, 0xFFFFFF},
    /* osWhidbey */             {0xF9FCFC, 0xF9FCFC, 0x7A868A, 0xFBFEFE, 0xACC3C4, kKept,    0xEED2C1, clNone,   clNone,   clNone,   0xC56A31, 0xB8C2C5, clNone},
    /* osWindows7 */            {0xEEEEEE, clNone,   0x979797, 0xEEEEEE, clNone,   0xC5C5C5, 0xFCEBDC, 0xFCDBC1, clNone,   clNone,   0xCEA27D, 0xE0E0E0, 0xFFFFFF},
    /* osTerminal */            {clBtnFace, clBtnFace, 0x808080, clBtnFace, clBtnFace, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x808080, 0x808080},
    /* osOffice2010Blue */      {0xFFFFFF, 0xFFFFFF, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xE7E4E2, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x58CAF1, 0xC9C8C7, 0xC9C8C7},
    /* osOffice2010Silver */    {0xFFFFFF, 0xFFFFFF, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xE7E4E2, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x58CAF1, 0xC9C8C7, 0xC9C8C7},
    /* osOffice2010Black */     {0xFFFFFF, 0xFFFFFF, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xE7E4E2, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x58CAF1, 0xC9C8C7, 0xC9C8C7},
    /* osWindows8 */            {0xF7F6F5, clNone,   0x979797, 0xEEEEEE, clNone,   0xC5C5C5, 0xF7EFE8, 0xF7EFE8, clNone,   clNone,   0xF9CEA4, 0xE0E0E0, 0xFFFFFF},
    /* osOffice2013White */     {0xFFFFFF, 0xFFFFFF, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xE7E4E2, 0xFCF0E4, 0xFCF0E4, clNone,   clNone,   0xEAB47E, 0xC9C8C7, 0xC9C8C7},
    /* osOffice2013LightGray */ {0xF6F6F6, 0xF6F6F6, 0xB0ABA7, 0xFFFFFF, 0xFFFFFF, 0xE7E4E2, 0xFCF0E4, 0xFCF0E4, clNone,   clNone,   0xEAB47E, 0xC9C8C7, 0xC9C8C7},
    /* osOffice2013Gray */      {0xE5E5E5, 0xE5E5E5, 0xB0ABA7, 0xF6F6F6, 0xF6F6F6, 0xA0A0A0, 0xFCF0E4, 0xFCF0E4, clNone,   clNone,   0xEAB47E, 0xC9C8C7, 0xC9C8C7},
    /* osWindows10 */           {0xF7F6F5, clNone,   0x979797, 0xEEEEEE, clNone,   0xC5C5C5, 0xF7EFE8, 0xF7EFE8, clNone,   clNone,   0xF9CEA4, 0xE0E0E0, 0xFFFFFF},
    /* osOffice2016White */     {0xFFFFFF, 0xFFFFFF, 0xD4D4D4, 0xFFFFFF, 0xFFFFFF, 0xD4D4D4, 0xE3BDA3, 0xE3BDA3, clNone,   clNone,   0xE3BDA3, 0xD4D4D4, 0xD4D4D4},
    /* osOffice2016Gray */      {0xB2B2B2, 0xB2B2B2, 0x444444, 0xB2B2B2, 0xB2B2B2, 0x444444, 0xE3BDA3, 0xE3BDA3, clNone,   clNone,   0xE3BDA3, 0x444444, 0x444444},
    /* osOffice2016Black */     {0x363636, 0x363636, 0x444444, 0x363636, 0x363636, 0x444444, 0xFFFFFF, 0xFFFFFF, clNone,   clNone,   0x444444, 0x444444, 0x444444},
    // clang-format on
};

// Check and radio boxes: Color, ColorTo, border each.
struct BoxLook {
    TColor Color, ColorTo, Border;
};
struct CheckLook {
    BoxLook IconCheck, IconRadio, SelectedCheck, SelectedRadio;
};

constexpr BoxLook kOffice2003Check = {0x3E80FE, clNone, 0x800000};
constexpr BoxLook kOffice2003Icon = {0x6FC0FF, clNone, 0x800000};

constexpr CheckLook kCheckLooks[] = {
    // clang-format off
    //                           IconBar check                      IconBar radio                      SelectedItem check                 SelectedItem radio
    /* osOffice2003Blue */      {kOffice2003Icon,                   kOffice2003Icon,                   kOffice2003Check,                  kOffice2003Check},
    /* osOffice2003Silver */    {{0x6FC0FF, clNone, 0x6F4B4B},      {0x6FC0FF, clNone, 0x6F4B4B},      {0x3E80FE, clNone, 0x6F4B4B},      {0x3E80FE, clNone, 0x6F4B4B}},
    /* osOffice2003Olive */     {{0x6FC0FF, clNone, 0x385D3F},      {0x6FC0FF, clNone, 0x385D3F},      {0x3E80FE, clNone, 0x385D3F},      {0x3E80FE, clNone, 0x385D3F}},
    /* osOfficeXP */            {{clBtnFace, clNone, clBtnFace},    {clBtnFace, clNone, clBtnFace},    {0xEFD3C6, clNone, 0xEFD3C6},      {0xEFD3C6, clNone, 0xEFD3C6}},
    /* osOffice2007Luna */      {kOffice2003Icon,                   kOffice2003Icon,                   kOffice2003Check,                  kOffice2003Check},
    /* osOffice2007Obsidian */  {kOffice2003Icon,                   kOffice2003Icon,                   kOffice2003Check,                  kOffice2003Check},
    /* osCustom */              {{kKept, kKept, kKept},             {kKept, kKept, kKept},             {kKept, kKept, kKept},             {kKept, kKept, kKept}},
    /* osOffice2007Silver */    {kOffice2003Icon,                   kOffice2003Icon,                   kOffice2003Check,                  kOffice2003Check},
    /* osVista */               {{0xF4EFE6, clNone, 0xE6D3CD},      {0xF4EFE6, clNone, 0xE6D3CD},      {0xF4EFE6, clNone, 0xE6D3CD},      {0xF4EFE6, clNone, 0xE6D3CD}},
    /* osWhidbey */             {{0xE8E6E1, clNone, 0xC56A31},      {0xE8E6E1, clNone, 0xC56A31},      {0xC56A31, clNone, 0x000000},      {0xC56A31, clNone, 0x000000}},
    /* osWindows7 */            {{0xF4EFE6, clNone, 0xE6D3CD},      {0xF4EFE6, clNone, 0xE6D3CD},      {0xFCEBDC, clNone, 0xE6D3CD},      {0xFCEBDC, clNone, 0xCEA27D}},
    /* osTerminal */            {{0xC0C0C0, 0xC0C0C0, 0x808080},    {0xC0C0C0, 0xC0C0C0, 0xC0C0C0},    {0xC0C0C0, 0xC0C0C0, 0x808080},    {0xC0C0C0, 0xC0C0C0, 0x808080}},
    /* osOffice2010Blue */      {{0xC2F1FC, clNone, 0x3695F2},      {0xC2F1FC, clNone, 0x3695F2},      {0xC2F1FC, clNone, 0x3695F2},      {0xC2F1FC, clNone, 0x3695F2}},
    /* osOffice2010Silver */    {{0xC2F1FC, clNone, 0x3695F2},      {0xC2F1FC, clNone, 0x3695F2},      {0xC2F1FC, clNone, 0x3695F2},      {0xC2F1FC, clNone, 0x3695F2}},
    /* osOffice2010Black */     {{0xC2F1FC, clNone, 0x3695F2},      {0xC2F1FC, clNone, 0x3695F2},      {0xC2F1FC, clNone, 0x3695F2},      {0xC2F1FC, clNone, 0x3695F2}},
    /* osWindows8 */            {{0xF7EFE8, clNone, 0xF9CEA4},      {0xF7EFE8, clNone, 0xF9CEA4},      {0xF7EFE8, clNone, 0xF9CEA4},      {0xF7EFE8, clNone, 0xF9CEA4}},
    /* osOffice2013White */     {{0xFCF0E4, clNone, 0xEAB47E},      {0xFCF0E4, clNone, 0xEAB47E},      {0xFCF0E4, clNone, 0x3695F2},      {0xFCF0E4, clNone, 0x3695F2}},
    /* osOffice2013LightGray */ {{0xFCF0E4, clNone, 0xEAB47E},      {0xFCF0E4, clNone, 0xEAB47E},      {0xFCF0E4, clNone, 0xEAB47E},      {0xFCF0E4, clNone, 0xEAB47E}},
    /* osOffice2013Gray */      {{0xFCF0E4, clNone, 0xEAB47E},      {0xFCF0E4, clNone, 0xEAB47E},      {0xFCF0E4, clNone, 0xEAB47E},      {0xFCF0E4, clNone, 0xEAB47E}},
    /* osWindows10 */           {{0xF7EFE8, clNone, 0xF9CEA4},      {0xF7EFE8, clNone, 0xF9CEA4},      {0xF7EFE8, clNone, 0xF9CEA4},      {0xF7EFE8, clNone, 0xF9CEA4}},
    /* osOffice2016White */     {{0xF2D5C2, clNone, 0xF2D5C2},      {0xF2E1D5, clNone, 0xF2E1D5},      {0xF2D5C2, clNone, 0xF2D5C2},      {0xF2D5C2, clNone, 0xF2D5C2}},
    /* osOffice2016Gray */      {{0xF2D5C2, clNone, 0xF2D5C2},      {0xF2E1D5, clNone, 0xF2E1D5},      {0xF2D5C2, 0xF2D5C2, 0xF2D5C2},    {0xF2D5C2, clNone, 0xF2D5C2}},
    /* osOffice2016Black */     {{0x6A6A6A, clNone, 0x6A6A6A},      {0x6A6A6A, clNone, 0x6A6A6A},      {0x6A6A6A, clNone, 0x6A6A6A},      {0x6A6A6A, clNone, 0x6A6A6A}},
    // clang-format on
};

// The menu-bar side: root items (font and text colours too).
struct RootLook {
    TColor Color, ColorTo;
    int Direction;  // a TGradientDirection or kKeptDir
    TColor Selected, SelectedTo, SelectedMirror, SelectedMirrorTo, SelectedBorder;
    TColor Hover, HoverTo, HoverMirror, HoverMirrorTo, HoverBorder, HoverText, FontColor, SelectedText;
};

constexpr int gdVert = gdVertical;
constexpr int gdHoriz = gdHorizontal;

constexpr RootLook kRootLooks[] = {
    // clang-format off
    //                           Color     ColorTo   Dir       Selected  To        Mirror    MirrorTo  Border    Hover     To        Mirror    MirrorTo  Border    Text      Font      SelText
    /* osOffice2003Blue */    {0xF5BE9E, 0xF7CDB2, gdHoriz,  0xFFEFE3, 0xE7B593, clNone,   clNone,   0x962D00, 0xCCF4FF, 0x9AD6FF, clNone,   clNone,   0x6F4B4B, clWindowText, clBlack,  kKept},
    /* osOffice2003Silver */  {0xE5D7D7, 0xCCB9BA, gdHoriz,  0xFFF9F9, 0xB99D9F, clNone,   clNone,   0x5E8D75, 0xCCF4FF, 0x9AD6FF, clNone,   clNone,   0x6F4B4B, clWindowText, clBlack,  kKept},
    /* osOffice2003Olive */   {0xCFF0EA, 0x8CC0B1, gdHoriz,  0xEDFFFF, 0x92C7B8, clNone,   clNone,   0x5E8D75, 0xCCF4FF, 0x9AD6FF, clNone,   clNone,   0x385D3F, clWindowText, clBlack,  kKept},
    /* osOfficeXP */          {clBtnFace, clNone,   kKeptDir, clBtnFace, clNone,   clNone,   clNone,   0x808080, 0xEFD3C6, clNone,   clNone,   clNone,   0xC66931, clWindowText, clBlack,  kKept},
    /* osOffice2007Luna */    {0xF2DAC2, 0xF0D9C1, gdVert,   0x7AC1FF, 0x4EA3FF, 0x3590F8, 0x8BD2FF, 0x3C80D1, 0xEBFDFF, 0xABEBFF, clNone,   clNone,   0x99CEDB, clWindowText, clBlack,  kKept},
    /* osOffice2007Obsidian */{0xB8B8B6, 0xA0A09E, gdVert,   0x7AC1FF, 0x4EA3FF, 0x3590F8, 0x8BD2FF, 0x3C80D1, 0xEBFDFF, 0xABEBFF, clNone,   clNone,   0x99CEDB, clWindowText, clBlack,  kKept},
    /* osCustom */            {},  // writes nothing
    /* osOffice2007Silver */  {0xF7F7F7, 0xDCDCDC, gdVert,   0x7AC1FF, 0x4EA3FF, 0x3590F8, 0x8BD2FF, 0x3C80D1, 0xEBFDFF, 0xABEBFF, clNone,   clNone,   0x99CEDB, clWindowText, clBlack,  kKept},
    /* osVista */             {0xF5F5F5, 0xEEEEEE, gdVert,   0xF3E2C5, 0xEDCFA0, clNone,   clNone,   0xC19A67, 0xF4F1EB, 0xF3EBDA, clNone,   clNone,   0xEBD8A8, clWindowText, clBlack,  kKept},
    /* osWhidbey */           {0xF9FCFC, 0xD8E3E4, kKeptDir, 0xE2B598, clNone,   clNone,   clNone,   0xC56A31, 0xEED2C1, clNone,   clNone,   clNone,   0xC56A31, clWindowText, clBlack,  clBlack},
    /* osWindows7 */          {0xF5F5F5, 0xEEEEEE, gdVert,   0xFCDBC1, 0xF9C9A1, clNone,   clNone,   0xCEA27D, 0xFCEBDC, 0xFCDBC1, clNone,   clNone,   0xCEA27D, clWindowText, clBlack,  kKept},
    /* osTerminal */          {clBtnFace, clBtnFace, gdVert,   0xC0C0C0, 0xC0C0C0, clNone,   clNone,   0x808080, 0xC0C0C0, 0xC0C0C0, clNone,   clNone,   0x808080, clWindowText, clBlack,  kKept},
    /* osOffice2010Blue */    {0xFDF6EF, 0xF0DAC7, gdVert,   0x6CD0FF, 0x7BEEFF, 0x3FBDFF, 0x90E8FF, 0x3695F2, 0xD9F9FD, 0x8AE3FD, clNone,   clNone,   0x58CAF1, clWindowText, clBlack,  kKept},
    /* osOffice2010Silver */  {0xFFFFFF, 0xEDE5E0, gdVert,   0x6CD0FF, 0x7BEEFF, 0x3FBDFF, 0x90E8FF, 0x3695F2, 0xD9F9FD, 0x8AE3FD, clNone,   clNone,   0x58CAF1, clWindowText, clBlack,  kKept},
    /* osOffice2010Black */   {0xBFBFBF, 0x919191, gdVert,   0x6CD0FF, 0x7BEEFF, 0x3FBDFF, 0x90E8FF, 0x3695F2, 0xD9F9FD, 0x8AE3FD, clNone,   clNone,   0x58CAF1, clWindowText, clBlack,  kKept},
    /* osWindows8 */          {0xF7F6F5, 0xF7F6F5, gdVert,   0xF7E0C9, 0xF7E0C9, clNone,   clNone,   0xE4A262, 0xF7EFE8, 0xF7EFE8, clNone,   clNone,   0xF9CEA4, clWindowText, clBlack,  kKept},
    /* osOffice2013White */   {0xFFFFFF, 0xFFFFFF, gdVert,   0xF7E0C9, 0xF7E0C9, clNone,   clNone,   0xE3BDA3, 0xFCF0E4, 0xFCF0E4, clNone,   clNone,   0xEAB47E, clWindowText, clBlack,  kKept},
    /* osOffice2013LightGray */{0xF6F6F6, 0xF6F6F6, gdVert,   0xF7E0C9, 0xF7E0C9, clNone,   clNone,   0xE3BDA3, 0xFCF0E4, 0xFCF0E4, clNone,   clNone,   0xEAB47E, clWindowText, clBlack,  kKept},
    /* osOffice2013Gray */    {0xE5E5E5, 0xE5E5E5, gdVert,   0xF7E0C9, 0xF7E0C9, clNone,   clNone,   0xE3BDA3, 0xFCF0E4, 0xFCF0E4, clNone,   clNone,   0xEAB47E, clWindowText, clBlack,  kKept},
    /* osWindows10 */         {0xF7F6F5, 0xF7F6F5, gdVert,   0xF7E0C9, 0xF7E0C9, clNone,   clNone,   0xE4A262, 0xF7EFE8, 0xF7EFE8, clNone,   clNone,   0xF9CEA4, clWindowText, clBlack,  kKept},
    /* osOffice2016White */   {0xFFFFFF, 0xFFFFFF, gdVert,   0xE3BDA3, 0xE3BDA3, clNone,   clNone,   0xE3BDA3, 0xF2E1D5, 0xF2E1D5, clNone,   clNone,   0xF2E1D5, 0x505050, 0x505050, kKept},
    /* osOffice2016Gray */    {0x444444, 0x444444, gdVert,   0xE3BDA3, 0xE3BDA3, clNone,   clNone,   0xE3BDA3, 0xF2E1D5, 0xF2E1D5, clNone,   clNone,   0xF2E1D5, 0x424242, 0xF0F0F0, kKept},
    /* osOffice2016Black */   {0x363636, 0x363636, gdVert,   0x6A6A6A, 0x6A6A6A, clNone,   clNone,   0x6A6A6A, 0x505050, 0x505050, clNone,   clNone,   0x505050, 0xA6A6A6, 0xA6A6A6, 0xFFFFFF},
    // clang-format on
};

// The button colours the styler carries for its owner.
struct ButtonLook {
    TColor Hover, HoverTo, HoverBorder, Down, DownTo, DownBorder;
};

constexpr ButtonLook kButtonLooks[] = {
    // clang-format off
    //                           Hover     HoverTo   Border    Down      DownTo    Border
    /* osOffice2003Blue */    {0xCCF4FF, 0x91D0FF, 0x800000, 0x4E91FE, 0x91D3FF, 0x800000},
    /* osOffice2003Silver */  {0xCCF4FF, 0x91D0FF, 0x6F4B4B, 0x4E91FE, 0x91D3FF, 0x6F4B4B},
    /* osOffice2003Olive */   {0xCCF4FF, 0x91D0FF, 0x385D3F, 0x4E91FE, 0x91D3FF, 0x385D3F},
    /* osOfficeXP */          {0xEFD3C6, clNone,   0xC66931, 0xE2B598, clNone,   0xC66931},
    /* osOffice2007Luna */    {0xEBFDFF, 0xABEBFF, 0x99CEDB, 0x7AC1FF, 0x4EA3FF, 0x3C80D1},
    /* osOffice2007Obsidian */{0xEBFDFF, 0xABEBFF, 0x99CEDB, 0x7AC1FF, 0x4EA3FF, 0x3C80D1},
    /* osCustom */            {},  // writes nothing
    /* osOffice2007Silver */  {0xEBFDFF, 0xABEBFF, 0x99CEDB, 0x7AC1FF, 0x4EA3FF, 0x3C80D1},
    /* osVista */             {0xF4F1EB, 0xF3EBDA, 0xEBD8A8, 0xF3E2C5, 0xEDCFA0, 0xC19A67},
    /* osWhidbey */           {kKept,    kKept,    kKept,    kKept,    kKept,    kKept},
    /* osWindows7 */          {0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFCDBC1, 0xF9C9A1, 0xCEA27D},
    /* osTerminal */          {0xC0C0C0, 0xC0C0C0, 0x808080, 0x808080, 0x808080, 0x808080},
    /* osOffice2010Blue */    {0xD9F9FD, 0x8AE3FD, 0x58CAF1, 0x6CD0FF, 0x7BEEFF, 0x3695F2},
    /* osOffice2010Silver */  {0xD9F9FD, 0x8AE3FD, 0x58CAF1, 0x6CD0FF, 0x7BEEFF, 0x3695F2},
    /* osOffice2010Black */   {0xD9F9FD, 0x8AE3FD, 0x58CAF1, 0x6CD0FF, 0x7BEEFF, 0x3695F2},
    /* osWindows8 */          {0xF7EFE8, 0xF7EFE8, 0xF9CEA4, 0xF7E0C9, 0xF7E0C9, 0xE4A262},
    /* osOffice2013White */   {0xFCF0E4, 0xFCF0E4, 0xEAB47E, 0xF7E0C9, 0xF7E0C9, 0xE3BDA3},
    /* osOffice2013LightGray */{0xFCF0E4, 0xFCF0E4, 0xEAB47E, 0xF7E0C9, 0xF7E0C9, 0xE3BDA3},
    /* osOffice2013Gray */    {0xFCF0E4, 0xFCF0E4, 0xEAB47E, 0xF7E0C9, 0xF7E0C9, 0xE3BDA3},
    /* osWindows10 */         {0xF7EFE8, 0xF7EFE8, 0xF9CEA4, 0xF7E0C9, 0xF7E0C9, 0xE4A262},
    /* osOffice2016White */   {0xF2E1D5, 0xF2E1D5, 0xF2E1D5, 0xE3BDA3, 0xE3BDA3, 0xE3BDA3},
    /* osOffice2016Gray */    {0xF2E1D5, 0xF2E1D5, 0xF2E1D5, 0xE3BDA3, 0xE3BDA3, 0xE3BDA3},
    /* osOffice2016Black */   {0x505050, 0x505050, 0x505050, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A},
    // clang-format on
};

static_assert(std::size(kMenuLooks) == osOffice2016Black + 1);
static_assert(std::size(kCheckLooks) == osOffice2016Black + 1);
static_assert(std::size(kRootLooks) == osOffice2016Black + 1);
static_assert(std::size(kButtonLooks) == osOffice2016Black + 1);

template <class F>
void setIf(TColor Value, F Setter) {
    if (Value != kKept) Setter(Value);
}

struct TesselToOffice {
    TTesselStyle From;
    TOfficeStyle To;
};

constexpr TesselToOffice kTesselToOffice[] = {
    {tsOffice2003Blue, osOffice2003Blue},
    {tsOffice2003Silver, osOffice2003Silver},
    {tsOffice2003Olive, osOffice2003Olive},
    {tsOffice2003Classic, osOfficeXP},
    {tsOffice2007Luna, osOffice2007Luna},
    {tsOffice2007Obsidian, osOffice2007Obsidian},
    {tsWindowsXP, osOfficeXP},
    {tsWhidbey, osWhidbey},
    {tsOffice2007Silver, osOffice2007Silver},
    {tsWindowsVista, osVista},
    {tsWindows7, osWindows7},
    {tsTerminal, osTerminal},
    {tsOffice2010Blue, osOffice2010Blue},
    {tsOffice2010Silver, osOffice2010Silver},
    {tsOffice2010Black, osOffice2010Black},
    {tsWindows8, osWindows8},
    {tsOffice2013White, osOffice2013White},
    {tsOffice2013LightGray, osOffice2013LightGray},
    {tsOffice2013Gray, osOffice2013Gray},
    {tsWindows10, osWindows10},
    {tsOffice2016White, osOffice2016White},
    {tsOffice2016Gray, osOffice2016Gray},
    {tsOffice2016Black, osOffice2016Black},
};
// Every look but tsCustom has its style.
static_assert(std::size(kTesselToOffice) == tsOffice2016Black);

}  // namespace

// ---------------------------------------------------------------------------------------------

bool OfficeStyleForTesselStyle(TTesselStyle AStyle, TOfficeStyle& Style) {
    for (const TesselToOffice& Row : kTesselToOffice)
        if (Row.From == AStyle) {
            Style = Row.To;
            return true;
        }
    return false;
}

// ---------------------------------------------------------------------------------------------

TAdvMenuOfficeStyler::TAdvMenuOfficeStyler(TComponent* AOwner) : TCustomAdvMenuStyler(AOwner) {
    SetStyle(osOffice2003Blue);
    FNotifierWnd = TNotifierWindow::CreateHidden(this, [this](TObject*) { ThemeChanged(); });
}

TAdvMenuOfficeStyler::~TAdvMenuOfficeStyler() {
    // The window may outlive this part of the object while the component tree frees it.
    if (TNotifierWindow* Notifier = FNotifierWnd.get()) Notifier->OnThemeChange = nullptr;
}

void TAdvMenuOfficeStyler::Loaded() {
    TCustomAdvMenuStyler::Loaded();
    ThemeChanged();
}

void TAdvMenuOfficeStyler::SetAutoThemeAdapt(bool Value) {
    if (FAutoThemeAdapt == Value) return;
    FAutoThemeAdapt = Value;
    ThemeChanged();
}

void TAdvMenuOfficeStyler::ThemeChanged() {
    if (!FAutoThemeAdapt) return;
    switch (GetXPColorScheme()) {
        case 1:
            SetStyle(osOffice2003Blue);
            break;
        case 2:
            SetStyle(osOffice2003Olive);
            break;
        case 3:
            SetStyle(osOffice2003Silver);
            break;
        default:
            SetStyle(osOfficeXP);
            break;
    }
}

void TAdvMenuOfficeStyler::SetComponentStyle(TTesselStyle AStyle) {
    TOfficeStyle Style;
    if (OfficeStyleForTesselStyle(AStyle, Style)) SetStyle(Style);
}

void TAdvMenuOfficeStyler::SetStyle(TOfficeStyle Value) {
    FStyle = Value;
    Font()->SetColor(clWindowText);
    SetUseSystemFont(true);
    if (Value == osCustom) return;
    writeColorSet(Value);
    writeStyleFonts(Value);
}

void TAdvMenuOfficeStyler::writeColorSet(TOfficeStyle Value) {
    const MenuLook& M = kMenuLooks[Value];
    const CheckLook& C = kCheckLooks[Value];
    const RootLook& B = kRootLooks[Value];
    const ButtonLook& U = kButtonLooks[Value];

    Background()->SetColor(M.Background);
    Background()->SetColorTo(M.BackgroundTo);
    SetMenuBorderColor(M.MenuBorder);

    TRootItem* R = RootItem();
    R->SetColor(B.Color);
    R->SetColorTo(B.ColorTo);
    if (B.Direction != kKeptDir) R->SetGradientDirection(static_cast<TGradientDirection>(B.Direction));
    R->SetSelectedColor(B.Selected);
    R->SetSelectedColorTo(B.SelectedTo);
    R->SetSelectedColorMirror(B.SelectedMirror);
    R->SetSelectedColorMirrorTo(B.SelectedMirrorTo);
    R->SetSelectedBorderColor(B.SelectedBorder);
    R->SetHoverColor(B.Hover);
    R->SetHoverColorTo(B.HoverTo);
    R->SetHoverColorMirror(B.HoverMirror);
    R->SetHoverColorMirrorTo(B.HoverMirrorTo);
    R->SetHoverBorderColor(B.HoverBorder);
    R->SetHoverTextColor(B.HoverText);
    R->Font()->SetColor(B.FontColor);
    setIf(B.SelectedText, [R](TColor V) { R->SetSelectedTextColor(V); });

    TSelectedItem* S = SelectedItem();
    S->SetColor(M.Selected);
    S->SetColorTo(M.SelectedTo);
    S->SetColorMirror(M.SelectedMirror);
    S->SetColorMirrorTo(M.SelectedMirrorTo);
    S->SetBorderColor(M.SelectedBorder);
    S->SetCheckColor(C.SelectedCheck.Color);
    S->SetCheckColorTo(C.SelectedCheck.ColorTo);
    S->SetCheckBorder(C.SelectedCheck.Border);
    S->SetRadioColor(C.SelectedRadio.Color);
    S->SetRadioColorTo(C.SelectedRadio.ColorTo);
    S->SetRadioBorder(C.SelectedRadio.Border);

    TIconBar* I = IconBar();
    I->SetColor(M.IconBar);
    I->SetColorTo(M.IconBarTo);
    I->SetCheckColor(C.IconCheck.Color);
    I->SetCheckColorTo(C.IconCheck.ColorTo);
    I->SetCheckBorder(C.IconCheck.Border);
    I->SetRadioColor(C.IconRadio.Color);
    I->SetRadioColorTo(C.IconRadio.ColorTo);
    I->SetRadioBorder(C.IconRadio.Border);
    setIf(M.IconBarSeparator, [I](TColor V) { I->SetSeparatorColor(V); });

    Separator()->SetColor(M.Separator);
    Separator()->SetColorTo(M.SeparatorTo);

    TButtonAppearance* A = ButtonAppearance();
    setIf(U.Hover, [A](TColor V) { A->SetHoverColor(V); });
    setIf(U.HoverTo, [A](TColor V) { A->SetHoverColorTo(V); });
    setIf(U.HoverBorder, [A](TColor V) { A->SetHoverBorderColor(V); });
    setIf(U.Down, [A](TColor V) { A->SetDownColor(V); });
    setIf(U.DownTo, [A](TColor V) { A->SetDownColorTo(V); });
    setIf(U.DownBorder, [A](TColor V) { A->SetDownBorderColor(V); });
}

// The dark styles need light text the screen's menu font would not give.
void TAdvMenuOfficeStyler::writeStyleFonts(TOfficeStyle Value) {
    switch (Value) {
        case osOffice2016Gray:
            RootItem()->SetUseSystemFont(false);
            break;
        case osOffice2016Black:
            SelectedItem()->Font()->SetColor(clBlack);
            SelectedItem()->SetUseSystemFont(false);
            RootItem()->SetUseSystemFont(false);
            Font()->SetColor(0xC6C6C6);
            SetUseSystemFont(false);
            break;
        default:
            break;
    }
}
