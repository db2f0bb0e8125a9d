// convert-worker: converts WebP files to JPG files for as long as its standard input brings
// requests, answering each on standard output (see serveConversions in ConvertWorker.h for the
// protocol). One process serves a whole run, so a file costs no process start and no PNG.

#include "tools/convert-worker/ConvertWorker.h"

#ifdef _WIN32
int wmain()
#else
int main()
#endif
{
    return orvalin::tools::serveConversions(0, 1);
}
