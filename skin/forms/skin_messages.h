#pragma once
// The engine's window messages live with the control skinners, which answer some of them.
#include "skin/controls/skin_messages.h"
