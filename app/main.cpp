#include "app/BrimletApp.h"

int main(int argc, char** argv) {
    CBrimletApp app;
    return app.Run(argc, argv);
}
