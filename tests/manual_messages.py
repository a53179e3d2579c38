# SPDX-License-Identifier: MIT
# manual_messages.py DESCRIBE_MESSAGES SOURCE_DIR: every text a manual quotes (「…」, `pelmaro: …`) is the
# program's as describe_messages writes it, the setup's as pelmaro.nsi words it, a heading, a value or reading, or
# one of OTHERS, "…" on either side standing for a part left out or one that varies; a manual quoting one reason,
# refusal, no-window line or setup message quotes them all, and README.ja.md every one.
import re
import subprocess
import sys
from pathlib import Path

# Windows', its settings' and NSIS's words, a command, and the Qt window's copy menu and a bar's name for a reader.
OTHERS = set("""Windows によって PC が保護されました|詳細情報|実行|はい|次へ|同意する|インストール|完了|OK|キャンセル
|再試行|このアプリがデバイスに変更を加えることを許可しますか?|アプリ|アプリと機能|インストールされているアプリ
|アンインストール|すべて展開|スタートにピン留めする|プリンター|プリンターとスキャナー|通常使うプリンター|印刷キューを開く
|既定として設定|Windows で通常使うプリンターを管理する|Bluetooth とデバイス|ジョブを拒否|make windows|コピー|遠用度数確認値 Ｓ""".replace("\n", "").split("|"))
describer, source = sys.argv[1], Path(sys.argv[2])
name = re.search(r"^Name\[ja\]=(.*)$", (source / "packaging/pelmaro.desktop").read_text(), re.M)[1]
nsi = (source / "packaging/windows/pelmaro.nsi").read_text()
defines = dict(re.findall(r'^!define (\w+) "(.*)"$', nsi, re.M), NAME=name)


def lines(text):  # a string as NSIS shows it: its defines put in, split at its line ends
    while (put := re.sub(r"\$\{(\w+)\}", lambda m: defines.get(m[1], m[1]), text)) != text:
        text = put
    return text.split("$\\r$\\n")


known = OTHERS | {name} | {line for text in re.findall(r'"([^"]*[^\x00-\x7f][^"]*)"', nsi) for line in lines(text)}
groups = {"setup": {lines(text)[0] for key, text in defines.items() if key.endswith("_MESSAGE")}}
for kind, text in (line.split("\t", 1) for line in subprocess.check_output([describer], text=True).splitlines()):
    known.add(text)
    groups.setdefault(kind, set()).add(text)
del groups["text"]
faults = []
for manual in [source / "README.ja.md", source / "README.md", *sorted(source.glob("packaging/man/*.in")),
               *sorted(source.glob("packaging/windows/README-*.txt.in"))]:
    text = manual.read_text().replace("@PELMARO_NAME@", name)
    found = re.findall(r"「((?:[^「」]|「[^「」]*」)*)」|`(pelmaro: [^`]*)`", re.sub(r"\n[ \t]*", " ", text))
    quoted = {quote or line for quote, line in found}
    for quote in sorted(quoted - known - set(re.findall(r"^#+ (.*)$", text, re.M))):
        fits = lambda a, b: re.fullmatch(".+".join(map(re.escape, a.split("…"))), b)  # noqa: E731
        if not re.fullmatch(r"[-+.0-9_ ＳＣＡＤ＋°]+", quote) and not any(fits(quote, t) or fits(t, quote) for t in known):
            faults.append(f"{manual.name} quotes 「{quote}」, which neither the program nor the setup says")
    for kind, members in groups.items():
        if manual.name == "README.ja.md" or quoted & members:
            faults += [f"{manual.name} does not list the {kind} 「{m}」" for m in sorted(members - quoted)]
print("\n".join(faults) or "every quote in the manuals is the program's or the setup's; every list is whole")
sys.exit(1 if faults else 0)
