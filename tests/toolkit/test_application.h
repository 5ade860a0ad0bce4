#pragma once
// One toolkit application per test program, made on first use and never destroyed: Qt Test's
// own static devices would outlive it and fail at exit.
#include "platform/toolkit/application.h"

inline void EnsureApplication() {
    static int argc = 1;
    static char name[] = "corvala-test";
    static char* argv[] = {name, nullptr};
    static const Application* application = new Application(argc, argv, "Corvala");
    (void)application;
}
