// The design of the main window and of the About box at 96 dpi, free of any toolkit: every
// control's name, kind, place, anchors, text and font height, the tab order, the menu, and the
// window's own sizes. Each front end builds its widgets from these tables, so both windows
// show the same texts at the same places.
//
// Holds: positions are client pixels (below the menu bar), left, top, width, height; a font
// height of 0 means the window's font; texts are UTF-8, ASCII but for the menu's ellipses.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace verrask::design {

enum class TKind { Frame, Label, Edit, Button, TrackBar, CheckBox, Image, StatusBar };

// Anchors: "top, right" keeps the distance to the right edge; "left, top, right" also stretches.
enum TAnchors : unsigned { LeftTop = 0, TopRight = 1, LeftTopRight = 2 };

enum class TAlign { Left, LeftCentred, Right, RightCentred };

struct TBounds {
    int Left, Top, Width, Height;
    bool operator==(const TBounds&) const = default;
};

struct TControlDesign {
    std::string_view Name;
    TKind Kind;
    TBounds Bounds;
    TAnchors Anchors = LeftTop;
    std::string_view Text = {};
    TAlign Align = TAlign::Left;
    int FontHeight = 0;
};

// The window.
inline constexpr std::string_view FontFamily = "Tahoma";
inline constexpr int FontHeight = 13; // character height in pixels of the window and its controls
inline constexpr std::string_view DesignCaption = "Verrask"; // replaced at creation
inline constexpr int ClientWidth = 600;
inline constexpr int ClientHeight = 550;
// Smallest size, 616 x 388 outside, kept as a client area: less 8-pixel frames at the sides
// and the bottom and a 31-pixel title bar (other frames then keep the same client minimum).
inline constexpr int MinimumClientWidth = 600;
inline constexpr int MinimumClientHeight = 349;
inline constexpr std::uint32_t ButtonFace = 0xF0F0F0; // 0x00BBGGRR
// The background of a box a RUN was refused for: a light red that keeps black text readable.
inline constexpr std::uint32_t RefusedBoxColour = 0xDAD6FF; // 0x00BBGGRR
inline constexpr int TimerInterval = 1000;                  // Timer1, ms
inline constexpr int TrackBarMin = 1, TrackBarMax = 40, TrackBarPosition = 1;
inline constexpr int ThumbLength = 18;
// Status panel widths as designed; replaced at creation by those of DisplayScaling.h.
inline constexpr std::array<int, 7> DesignPanelWidths{50, 135, 55, 55, 90, 105, 105};
// The critical gradient i_c the heave checks use; ASCII, as the window's font may lack Greek.
inline constexpr std::string_view Edit5Hint =
    "Y'/Yw: submerged unit weight / unit weight of water (the critical gradient i_c)";

inline constexpr TControlDesign Bevel2{"Bevel2", TKind::Frame, {15, 8, 226, 281}};
inline constexpr TControlDesign Label9{
    "Label9", TKind::Label, {43, 18, 117, 16}, LeftTop, "Left Blanket Length :", TAlign::Right};
inline constexpr TControlDesign Edit6{"Edit6", TKind::Edit, {168, 15, 63, 24}, LeftTop, "0"};
inline constexpr TControlDesign Label10{
    "Label10", TKind::Label, {35, 50, 125, 16}, LeftTop, "Right Blanket Length :", TAlign::Right};
inline constexpr TControlDesign Edit7{"Edit7", TKind::Edit, {168, 47, 63, 24}, LeftTop, "0"};
inline constexpr TControlDesign Label4{"Label4",
                                       TKind::Label,
                                       {30, 82, 130, 16},
                                       LeftTop,
                                       "Sheet pile wall Depth :",
                                       TAlign::RightCentred};
inline constexpr TControlDesign Edit2{"Edit2", TKind::Edit, {168, 79, 63, 24}, LeftTop, "1"};
inline constexpr TControlDesign Label3{"Label3", TKind::Label,      {68, 122, 92, 16},
                                       LeftTop,  "Stratum Depth :", TAlign::RightCentred};
inline constexpr TControlDesign Edit1{"Edit1", TKind::Edit, {168, 119, 63, 24}, LeftTop, "2"};
inline constexpr TControlDesign Label8{"Label8", TKind::Label, {119, 154, 41, 16},
                                       LeftTop,  "Y'/Yw :",    TAlign::Right};
inline constexpr TControlDesign Edit5{"Edit5", TKind::Edit, {168, 151, 63, 24}, LeftTop, "1"};
inline constexpr TControlDesign Label11{"Label11", TKind::Label, {144, 186, 16, 16},
                                        LeftTop,   "K :",        TAlign::Right};
inline constexpr TControlDesign Edit8{"Edit8", TKind::Edit, {168, 183, 63, 24}, LeftTop, "1E-5"};
inline constexpr TControlDesign Label6{"Label6", TKind::Label,       {59, 222, 101, 16},
                                       LeftTop,  "Up stream Head :", TAlign::Right};
inline constexpr TControlDesign Edit3{"Edit3", TKind::Edit, {168, 219, 63, 24}, LeftTop, "1"};
inline constexpr TControlDesign Label7{"Label7", TKind::Label,         {42, 254, 118, 16},
                                       LeftTop,  "Down stream Head :", TAlign::Right};
inline constexpr TControlDesign Edit4{"Edit4", TKind::Edit, {168, 251, 63, 24}, LeftTop, "0"};
inline constexpr TControlDesign Button1{
    "Button1", TKind::Button, {256, 8, 81, 73}, LeftTopRight, "RUN", TAlign::Left, 17};
inline constexpr TControlDesign Bevel1{"Bevel1", TKind::Frame, {352, 8, 232, 73}, TopRight};
inline constexpr TControlDesign Label1{"Label1", TKind::Label, {355, 14, 70, 25},
                                       TopRight, "Flow Net :", TAlign::RightCentred};
inline constexpr TControlDesign TrackBar1{
    "TrackBar1", TKind::TrackBar, {424, 18, 154, 23}, TopRight};
inline constexpr TControlDesign Label2{"Label2", TKind::Label, {362, 45, 63, 25},
                                       TopRight, "Tune :",     TAlign::RightCentred};
inline constexpr TControlDesign TrackBar2{
    "TrackBar2", TKind::TrackBar, {424, 49, 154, 23}, TopRight};
inline constexpr TControlDesign Bevel3{"Bevel3", TKind::Frame, {352, 87, 232, 115}, TopRight};
inline constexpr TControlDesign CheckBox1{
    "CheckBox1", TKind::CheckBox, {375, 108, 203, 18}, TopRight, "Critical Zone"};
inline constexpr TControlDesign CheckBox2{
    "CheckBox2", TKind::CheckBox, {375, 140, 203, 18}, TopRight, "Possibly Heave Zone"};
inline constexpr TControlDesign CheckBox3{
    "CheckBox3", TKind::CheckBox, {375, 172, 209, 18}, TopRight, "Imminent Heave Zone"};
inline constexpr TControlDesign Bevel4{"Bevel4", TKind::Frame, {352, 208, 232, 81}, TopRight};
inline constexpr TControlDesign Label5{"Label5",
                                       TKind::Label,
                                       {375, 208, 203, 81},
                                       TopRight,
                                       "Groundwater Flow Net Model",
                                       TAlign::LeftCentred,
                                       15};
inline constexpr TControlDesign Image1{"Image1", TKind::Image, {-308, 302, 1204, 200}};
// Along the bottom edge of the client area.
inline constexpr TControlDesign StatusBar1{"StatusBar1", TKind::StatusBar, {0, 518, 600, 32}};

// Every control of the client area, frames first (they lie beneath what they surround).
inline constexpr std::array<const TControlDesign*, 31> Controls{
    &Bevel1,    &Bevel2,    &Bevel3,    &Bevel4,    &Label9,  &Edit6,  &Label10,   &Edit7,
    &Label4,    &Edit2,     &Label3,    &Edit1,     &Label8,  &Edit5,  &Label11,   &Edit8,
    &Label6,    &Edit3,     &Label7,    &Edit4,     &Button1, &Label1, &TrackBar1, &Label2,
    &TrackBar2, &CheckBox1, &CheckBox2, &CheckBox3, &Label5,  &Image1, &StatusBar1};

// Keyboard (tab) order.
inline constexpr std::array<const TControlDesign*, 14> TabOrder{
    &Edit6, &Edit7,   &Edit2,     &Edit1,     &Edit5,     &Edit8,     &Edit3,
    &Edit4, &Button1, &TrackBar1, &TrackBar2, &CheckBox1, &CheckBox2, &CheckBox3};

// The menu bar: "&" marks the underlined access key.
struct TMenuDesign {
    std::string_view Name, Text, ItemName, ItemText;
};
inline constexpr std::array<TMenuDesign, 2> Menu{
    {{"File1", "&File", "Exit1", "&Exit"}, {"Help1", "&Help", "About1", "&Info"}}};

// The whole menu bar, left to right, and every command under it in order (the two above among
// them). A command whose Name is empty is a separator line. "\xE2\x80\xA6" is the ellipsis of
// a command that opens a dialog; access keys are unique on the bar and within each menu.
struct TMenuBarDesign {
    std::string_view Name, Text;
};
inline constexpr std::array<TMenuBarDesign, 4> MenuBar{
    {{"File1", "&File"}, {"EditMenu1", "&Edit"}, {"Checks1", "&Checks"}, {"Help1", "&Help"}}};

struct TMenuCommandDesign {
    std::string_view Menu, Name, Text;
    bool NeedsRun = false; // disabled until a run has completed
};
inline constexpr std::array<TMenuCommandDesign, 11> MenuCommands{{
    {"File1", "OpenInputs1", "&Open Inputs\xE2\x80\xA6"},
    {"File1", "SaveInputs1", "Save &Inputs\xE2\x80\xA6"},
    {"File1", "", ""},
    {"File1", "SavePicture1", "&Save Picture\xE2\x80\xA6", true},
    {"File1", "ExportResults1", "Export &Results\xE2\x80\xA6", true},
    {"File1", "ExportReport1", "Export Re&port\xE2\x80\xA6", true},
    {"File1", "", ""},
    {"File1", "Exit1", "&Exit"},
    {"EditMenu1", "Copy1", "&Copy", true},
    {"Checks1", "DesignChecks1", "&Design checks\xE2\x80\xA6"},
    {"Help1", "About1", "&Info"},
}};

// The design-checks window: its title and client size at 96 dpi.
inline constexpr std::string_view ChecksCaption = "Design checks";
inline constexpr int ChecksClientWidth = 900;
inline constexpr int ChecksClientHeight = 680;

// The dialog before Export Report: the report's identification, one box per field of the
// report's info in this order (Project, Structure, Engineer, Note); the note takes lines.
inline constexpr std::string_view ReportInfoCaption = "Report details";
struct TReportFieldDesign {
    std::string_view Label;
    bool MultiLine;
};
inline constexpr std::array<TReportFieldDesign, 4> ReportInfoFields{{
    {"&Project :", false},
    {"&Structure :", false},
    {"&Engineer :", false},
    {"N&ote :", true},
}};
inline constexpr int ReportInfoClientWidth = 440;
inline constexpr int ReportInfoClientHeight = 240;

// The About box.
namespace about {
inline constexpr int FontHeight = 16;
inline constexpr int LabelLeft = 64;
inline constexpr int Label1Top = 16, Label2Top = 48, Label3Top = 80;
inline constexpr std::uint32_t Label2Colour = 0xC08000; // a blue, 0x00BBGGRR
inline constexpr std::uint32_t Label3Colour = 0x000080; // maroon
inline constexpr std::string_view AppIconName = "MainIcon";
inline constexpr std::string_view MakerIconName = "Olbrinth"; // the resource is "OLBRINTH"
} // namespace about

} // namespace verrask::design
