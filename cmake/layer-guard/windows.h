/* Placed before the system's headers for the portable core folders only. */
#error "The portable core does not include <windows.h>: put Windows code under src/platform/win32."
