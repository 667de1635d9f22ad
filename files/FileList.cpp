#include "app/Unit1.h"

// The file list shows nothing yet: it is read from its folder once the file
// panel lists files.
void TForm1::RefreshFileList() {}
