/* The library as a foreign C program on Windows loads it: by name at run time,
   each function found under its plain C name. usage: c-abi-test <COM number> */
#include "Check.h"

#include <stdlib.h>
#include <windows.h>

typedef int (*InitPort)(int, int);
typedef int (*Polling)(int, int, const unsigned char*, int*, unsigned char*, int);
typedef int (*ClosePort)(int);

int main(int argc, char** argv) {
    const int port = argc > 1 ? atoi(argv[1]) : 7;
    HMODULE library = LoadLibraryA("VexilonDll.dll");
    if (library == NULL) {
        printf("FAIL VexilonDll.dll does not load (error %lu)\n", GetLastError());
        return 1;
    }
    const InitPort init = (InitPort)(void (*)(void))GetProcAddress(library, "VQ_InitPort");
    const Polling poll = (Polling)(void (*)(void))GetProcAddress(library, "VQ_Polling");
    const ClosePort close = (ClosePort)(void (*)(void))GetProcAddress(library, "VQ_ClosePort");
    if (init == NULL || poll == NULL || close == NULL) {
        printf("FAIL VQ_InitPort, VQ_Polling and VQ_ClosePort are not all exported\n");
        return 1;
    }
    static const unsigned char info[] = {0xFF, 0x0C};
    static const char infoAnswer[] = "\0VAN=RIVI_RV00012345_C0100_R0100_RVQ-3000-KR1";
    unsigned char area[1000];
    int length = -1;
    CheckNumber("VQ_Polling before VQ_InitPort", poll(port, 2, info, &length, area, 500), 1001);
    CheckNumber("VQ_InitPort at 1234 baud", init(port, 1234), -6);
    CheckNumber("VQ_InitPort on COM0", init(0, 115200), -1);
    CheckNumber("VQ_InitPort", init(port, 115200), port);
    CheckNumber("VQ_Polling FF 0C", poll(port, 2, info, &length, area, 3000), 0);
    CheckBytes("information text", area, length, infoAnswer, (int)sizeof infoAnswer - 1);
    CheckNumber("VQ_ClosePort", close(port), 0);
    CheckNumber("VQ_ClosePort again", close(port), 1001);
    FreeLibrary(library);
    return failures == 0 ? 0 : 1;
}
