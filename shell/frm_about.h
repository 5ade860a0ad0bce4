#pragma once
// frmAbout: the program's name, version, systems and purpose, and the maker's web and mail
// addresses as links. Shown modally; OK unloads it.
#include <cstdint>
#include <string>

#include "platform/toolkit.h"

// The maker's addresses, the targets of the window's links.
inline constexpr const char* MakerWebAddress = "https://corvala.invalid/";
inline constexpr const char* MakerMailAddress = "corvala@corvala.invalid";

// "3.00.0002" for 3, 0, 2: the minor number with at least two digits, the revision with four.
std::string VersionText(std::int16_t Major, std::int16_t Minor, std::int16_t Revision);

class frmAbout : public Form {
  public:
    frmAbout();

    Frame Frame1{*this};
    Label Label8{Frame1};
    Label lblVersion{Frame1};
    Label lblOS{Frame1};
    PictureBox picIcon{*this};
    PictureBox Picture1{*this};
    Label Label1{*this};
    Label Label6{*this};
    Label Label7{*this};
    Label Label5{*this};
    Line Line2{*this};
    CommandButton cmdOK{*this};

  private:
    void LayOutControls();
    void ConnectEvents();

    void Form_Load();
    void cmdOK_Click();
    void Label5_Click();
    void Picture1_Click();
    void Label7_Click();
    void OpenAddress(const std::string& address);
};
