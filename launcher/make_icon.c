/* Writes the icon of Start.exe: a 32 x 32 true-colour picture of a disc with a blue label and a
 * white arrow, as a Windows .ico file with one image. Run by the build; the only argument is the
 * output file. */
#include <stdio.h>
#include <stdlib.h>

#define SIZE 32

static unsigned char pixels[SIZE * SIZE * 4];

static void put16(FILE* out, unsigned v) {
    fputc((int)(v & 0xFF), out);
    fputc((int)((v >> 8) & 0xFF), out);
}

static void put32(FILE* out, unsigned long v) {
    put16(out, (unsigned)(v & 0xFFFF));
    put16(out, (unsigned)((v >> 16) & 0xFFFF));
}

static void setPixel(int x, int y, unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    /* Rows are stored from the bottom up. */
    unsigned char* p = pixels + ((SIZE - 1 - y) * SIZE + x) * 4;
    p[0] = b;
    p[1] = g;
    p[2] = r;
    p[3] = a;
}

static void draw(void) {
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const int dx = 2 * x + 1 - SIZE;
            const int dy = 2 * y + 1 - SIZE;
            const int d2 = dx * dx + dy * dy; /* squared distance from the centre, in half pixels */
            if (d2 > 60 * 60 || d2 < 7 * 7) {
                setPixel(x, y, 0, 0, 0, 0);
            } else if (d2 > 56 * 56) {
                setPixel(x, y, 96, 96, 110, 255);
            } else if (d2 < 11 * 11) {
                setPixel(x, y, 150, 150, 160, 255);
            } else if (d2 < 30 * 30) {
                setPixel(x, y, 30, 90, 200, 255);
            } else {
                const unsigned char shade = (unsigned char)(200 + ((x + y) % 8) * 6);
                setPixel(x, y, shade, shade, (unsigned char)(shade > 235 ? 255 : shade + 20), 255);
            }
        }
    }
    /* A white "play" arrow on the label, right of the hole. */
    for (int y = 10; y < 22; ++y) {
        const int half = y < 16 ? y - 10 : 21 - y;
        for (int x = 19; x <= 19 + half; ++x) {
            setPixel(x, y, 255, 255, 255, 255);
        }
    }
}

int main(int argc, char** argv) {
    const unsigned long imageBytes = SIZE * SIZE * 4;
    const unsigned long maskBytes = SIZE * (SIZE / 8);
    const unsigned long resourceBytes = 40 + imageBytes + maskBytes;
    FILE* out;
    if (argc != 2) {
        fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    draw();
    out = fopen(argv[1], "wb");
    if (out == NULL) {
        perror(argv[1]);
        return 1;
    }
    /* Icon directory with one entry. */
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    fputc(SIZE, out);
    fputc(SIZE, out);
    fputc(0, out);
    fputc(0, out);
    put16(out, 1);
    put16(out, 32);
    put32(out, resourceBytes);
    put32(out, 6 + 16);
    /* Bitmap header: the height counts the colour image and the mask. */
    put32(out, 40);
    put32(out, SIZE);
    put32(out, SIZE * 2);
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, imageBytes + maskBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    fwrite(pixels, 1, sizeof pixels, out);
    for (unsigned long i = 0; i < maskBytes; ++i) {
        fputc(0, out);
    }
    if (fclose(out) != 0) {
        perror(argv[1]);
        return 1;
    }
    return EXIT_SUCCESS;
}
