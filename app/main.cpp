#include "app/frame.h"

int main() { return KestorMain(); }
