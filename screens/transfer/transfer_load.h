#pragma once
// Loading and unloading the main form.

namespace corvena::transfer {

void Form1_Load();
void Form1_Unload();

}  // namespace corvena::transfer
