// Corvala: auditions MIDI songs and WAVE sounds, one of each at a time.
#include "main_window/frm_main.h"

int main(int argc, char** argv) {
    Application application(argc, argv, "Corvala");
    frmMain form;
    form.Show();
    return application.Run();
}
