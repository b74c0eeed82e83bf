// The floor the converter is measured against: what any program that keeps this export as a
// table of 120-byte rows must do. It reads the file twice line by line (once to count, once
// into the table) and writes as many profile-sized lines as the converter wrote.
//   csv2vdp_baseline EXPORT OUTPUT LINES
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kRowSize = 120;

long countLines(FILE* in) {
    char zeile[kRowSize];
    long rows = 0;
    while (fgets(zeile, kRowSize, in))
        rows++;
    return rows;
}

// Zero-filled rows like the converter's table, so that the floor pays for the same memory.
bool readTable(FILE* in, long rows, std::vector<char>* table) {
    table->assign(static_cast<size_t>(rows) * kRowSize, 0);
    rewind(in);
    for (long i = 0; i < rows; i++) {
        if (!fgets(table->data() + i * kRowSize, kRowSize, in)) return false;
    }
    return true;
}

// A line as long as a typical profile line deep in a long run.
bool writeLines(const char* name, long lines) {
    FILE* out = fopen(name, "wb");
    if (!out) return false;
    setvbuf(out, nullptr, _IOFBF, 1 << 16);
    for (long i = 0; i < lines; i++)
        fputs("12\t1\t123456\t78\t0\r\n", out);
    return fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s EXPORT OUTPUT LINES\n", argv[0]);
        return 2;
    }
    FILE* in = fopen(argv[1], "r");
    if (!in) return 1;
    long rows = countLines(in);
    std::vector<char> table;
    bool ok = readTable(in, rows, &table);
    fclose(in);
    ok = writeLines(argv[2], atol(argv[3])) && ok;
    return ok ? 0 : 1;
}
