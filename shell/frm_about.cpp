#include "shell/frm_about.h"

#include <cstdio>
#include <exception>

#include "platform/app.h"
#include "platform/shell.h"
#include "shell/mod_open_document.h"

namespace {

constexpr std::uint32_t DarkBlue = 0x00C00000;  // &HBBGGRR
constexpr std::uint32_t LinkBlue = 0x00FF0000;

void UseFont(Label& label, const char* name, double points, Boolean bold) {
    label.FontName(name);
    label.FontSize(points);
    label.FontBold(bold);
}

// A link: Arial 9 pt bold, underlined, blue, with the pointing hand over it.
void MakeLink(Label& label, const std::string& address, std::int32_t top, std::int32_t width,
              const MouseCursor& hand) {
    label.Caption(address);
    UseFont(label, "Arial", 9, vbTrue);
    label.FontUnderline(vbTrue);
    label.ForeColor(LinkBlue);
    label.Move(1290, top, width, 225);
    label.MouseIcon(hand);
    // Our addresses are longer than the design's space for them; the label grows to show them.
    label.AutoSize(vbTrue);
}

}  // namespace

std::string VersionText(std::int16_t Major, std::int16_t Minor, std::int16_t Revision) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d.%04d", Major, Minor, Revision);
    return text;
}

frmAbout::frmAbout() {
    Caption(" ");
    ClientSize(4680, 3720);
    LayOutControls();
    ConnectEvents();
}

void frmAbout::LayOutControls() {
    const MouseCursor hand{Picture::FromResource(":/pictures/hand.xpm"), 13, 5};

    Frame1.Move(1260, 0, 3270, 975);
    Label8.Caption("Corvala");
    UseFont(Label8, "Arial", 18, vbTrue);
    Label8.ForeColor(DarkBlue);
    Label8.Move(210, 105, 2175, 435);
    lblVersion.Caption("Version x.x.x");
    lblVersion.Move(210, 525, 915, 195);
    lblOS.Caption("Windows 95/98/ME/NT4/2000/XP");
    lblOS.Move(210, 735, 2565, 195);

    picIcon.Picture(Picture::FromResource(":/pictures/corvala32.xpm"));
    picIcon.Move(362, 217, 540, 540);
    Picture1.Picture(Picture::FromResource(":/pictures/speaker.xpm"));
    Picture1.Move(145, 1155, 975, 1320);
    Picture1.MouseIcon(hand);

    Label1.Caption(
        "This program is meant to make it easy for you to look for a specific WAVE sound or "
        "MIDI song by letting you quickly play them as you like");
    UseFont(Label1, "Arial", 8.25, vbFalse);
    Label1.Move(1260, 1155, 3375, 900);
    Label6.Caption("Questions, Comments, Bug Reports:");
    UseFont(Label6, "Arial", 9, vbTrue);
    Label6.Move(1290, 2100, 3075, 225);
    // The stand-in for Arial runs a little wider than the design's space for this line.
    Label6.AutoSize(vbTrue);
    MakeLink(Label7, MakerMailAddress, 2415, 1155, hand);
    MakeLink(Label5, MakerWebAddress, 2625, 2355, hand);

    Line2.Coordinates(1260, 2940, 4515, 2940);
    cmdOK.Caption("&OK");
    cmdOK.Move(1260, 3150, 1170, 435);
    // Enter and Escape close the window; Enter never reaches a link.
    cmdOK.Default(vbTrue);
    cmdOK.Cancel(vbTrue);
}

void frmAbout::ConnectEvents() {
    Load = [this] { Form_Load(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    Label5.Click = [this] { Label5_Click(); };
    Picture1.Click = [this] { Picture1_Click(); };
    Label7.Click = [this] { Label7_Click(); };
}

void frmAbout::Form_Load() {
    try {
        lblVersion.Caption(VersionText(App::Major(), App::Minor(), App::Revision()));
    } catch (const std::exception&) {
        // The design text stays.
    }
}

void frmAbout::cmdOK_Click() {
    UnloadForm();
}

void frmAbout::Label5_Click() {
    OpenAddress(MakerWebAddress);
}
void frmAbout::Picture1_Click() {
    OpenAddress(MakerWebAddress);
}
void frmAbout::Label7_Click() {
    OpenAddress(std::string("mailto:") + MakerMailAddress);
}

void frmAbout::OpenAddress(const std::string& address) {
    try {
        OpenDocument(hWnd(), address, SW_SHOW, nullptr, nullptr);
    } catch (const std::exception&) {
        // The opener reports its own failures; the window stays open.
    }
}
