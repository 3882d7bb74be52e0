#pragma once
// Loading and unloading the main form.

namespace corvena::payapp {

void Form1_Load();
void Form1_Unload();
// Project-controller defaults, read once at load.
void ReadProjectDefaults();

}  // namespace corvena::payapp
