// argv_writer OUTPUT ARG...: writes each ARG on a line of its own to OUTPUT.
// The file appears whole (written aside, then renamed) so a poller never
// reads half of it.
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    const std::string output = argv[1];
    const std::string partial = output + ".part";
    {
        std::ofstream out(partial, std::ios::binary);
        for (int i = 2; i < argc; ++i)
            out << argv[i] << '\n';
        if (!out)
            return 1;
    }
    return std::rename(partial.c_str(), output.c_str()) == 0 ? 0 : 1;
}
