#pragma once
// <windows.h> turns many API names into macros for their W forms. Framework members that share
// such a name (TApplication::MessageBox, TCanvas::DrawText and TextOut, RegisterClass) must not
// be renamed behind the reader's back, so every framework header that includes <windows.h>
// includes this one after it. Code that wants the API calls names their W forms explicitly.
#include <windows.h>

#undef RegisterClass
#undef MessageBox
#undef DrawText
#undef TextOut
#undef GetObject
