#include "lister/list_image.h"

int main(int argc, char** argv) {
    return listImage(argc, argv);
}
