// kestor-embed OUT.cpp TYPE ID FILE [TYPE ID FILE ...]
// Turns the generated pictures and clips into a table of resources compiled into the program.
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2 || (argc - 2) % 3 != 0) {
        std::fprintf(stderr, "usage: kestor-embed OUT.cpp TYPE ID FILE ...\n");
        return 2;
    }
    std::string out = "// Made by kestor-embed from the generated assets.\n"
                      "#include \"platform/host/resources.h\"\n\n";
    std::string table;
    int count = 0;
    for (int i = 2; i < argc; i += 3) {
        FILE* f = std::fopen(argv[i + 2], "rb");
        if (!f) {
            std::fprintf(stderr, "kestor-embed: cannot read %s\n", argv[i + 2]);
            return 1;
        }
        std::vector<unsigned char> bytes;
        unsigned char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
        std::fclose(f);
        std::string name = "Resource" + std::to_string(count++);
        out += "alignas(4) static const uint8_t " + name + "[] = {";
        char hex[8];
        for (size_t k = 0; k < bytes.size(); ++k) {
            if (k % 24 == 0) out += "\n";
            std::snprintf(hex, sizeof hex, "%u,", bytes[k]);
            out += hex;
        }
        out += "\n};\n";
        table += "    {\"" + std::string(argv[i]) + "\", " + argv[i + 1] + ", " + name + ", sizeof " +
                 name + "},\n";
    }
    out += "\nconst EmbeddedResource EmbeddedResources[] = {\n" + table + "};\n";
    out += "const size_t EmbeddedResourceCount = " + std::to_string(count) + ";\n";
    FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size()) return 1;
    return std::fclose(f) == 0 ? 0 : 1;
}
