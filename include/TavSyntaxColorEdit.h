#pragma once
// The syntax-colouring editor CTavSyntaxColorEdit, its language settings and presets.
#include "syntax_edit/TavSyntaxColorEdit.h"
