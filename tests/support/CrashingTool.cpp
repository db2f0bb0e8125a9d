// A tool that ends by a segmentation fault, whatever it is asked: it stands in for a decoder
// that crashes.
#include <csignal>

int main()
{
    std::raise(SIGSEGV);
    return 0;
}
