// A core source that includes a POSIX header.
#include <unistd.h>
