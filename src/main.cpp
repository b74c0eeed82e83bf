// The converter's entry point.
#include "dialogue/mainflow.h"

int main() {
    return mainFlow();
}
