// Programs of the Z++Everav grammar with the XML programs its rules give, written from the rules.
#include "tests/report/script/ScriptFixture.h"

namespace {

using scripttest::ScriptTest;

TEST_F(ScriptTest, ZppEveravDeclarations)
{
    ExpectPrograms("Z++Everav", {
        {"#include \"a\", \"b\"\r\n{}", "program(uses uses compoundstmt)"},
        {"#define N 5\r\nint a, b = 2;\r\nfloat c[3][4], d[2, 3];\r\n{}",
         "program(const(ident=N expr(number=5)) var(type=int ident=a ident=b init(expr(number=2))) "
         "var(type=float ident=c array(dim(expr(number=3)) dim(expr(number=4))) ident=d "
         "array(dim(expr(number=2)) dim(expr(number=3)))) compoundstmt)"},
        // Empty brackets declare an array without bounds; a bad bound fails at the closing bracket.
        {"int e[];\r\n{}", "program(var(type=int ident=e array) compoundstmt)"},
        {"int e[+];\r\n{}", "!']' expected at 1:7"},
        {"int f(int a, float &b = 1.5) { return a; }\r\nvoid g() { }\r\n{ f(1, c); }",
         "program(function(type=int name=f parameters(var(type=int ident=a) var(type=float varparam=& ident=b "
         "init(expr(number=1.5)))) compoundstmt(return(expr(dsgn(node=a))))) "
         "function(type=void name=g parameters compoundstmt) "
         "compoundstmt(callstmt(dsgn(node=f expr(number=1) expr(dsgn(node=c))))))"},
        // The wrapper of a report expression.
        {"Variant fr3f1() { return 1 + 2; } {}",
         "program(function(type=Variant name=fr3f1 parameters compoundstmt(return(expr(number=1 op=+ number=2)))) "
         "compoundstmt)"},
        // Reserved words and grammar texts are matched exactly.
        {"{ Return = 1; include = 2; }", "program(compoundstmt(assignstmt(dsgn(node=Return) expr(number=1)) "
         "assignstmt(dsgn(node=include) expr(number=2))))"},
        {"{ RETURN 1; }", "!';' expected at 1:10"},
        // "exit" is tried before assignments.
        {"{ exit = 1; }", "!';' expected at 1:8"},
    });
}

TEST_F(ScriptTest, ZppEveravExpressions)
{
    ExpectPrograms("Z++Everav", {
        {"{ x = -a + b - c || d ^ e; }",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(op=unminus dsgn(node=a) op=+ dsgn(node=b) op=- "
         "dsgn(node=c) op=or dsgn(node=d) op=xor dsgn(node=e)))))"},
        {"{ y = a * b / c div d % e && f << g >> h; }",
         "program(compoundstmt(assignstmt(dsgn(node=y) expr(dsgn(node=a) op=* dsgn(node=b) op=/ dsgn(node=c) "
         "op=div dsgn(node=d) op=mod dsgn(node=e) op=and dsgn(node=f) op=shl dsgn(node=g) op=shr dsgn(node=h)))))"},
        {"{ z = (a >= b) != (a <= b); }",
         "program(compoundstmt(assignstmt(dsgn(node=z) expr(op=( expr(dsgn(node=a) op=>= dsgn(node=b)) op=) op=<> "
         "op=( expr(dsgn(node=a) op=<= dsgn(node=b)) op=)))))"},
        {"{ w = !(a > b) == (a < b); }",
         "program(compoundstmt(assignstmt(dsgn(node=w) expr(op=not op=( expr(dsgn(node=a) op=> dsgn(node=b)) op=) "
         "op== op=( expr(dsgn(node=a) op=< dsgn(node=b)) op=)))))"},
        {"{ v = a in [1, 2..5]; u = a is T; }",
         "program(compoundstmt(assignstmt(dsgn(node=v) expr(dsgn(node=a) op=in set(expr(number=1) expr(number=2) "
         "range=. expr(number=5)))) assignstmt(dsgn(node=u) expr(dsgn(node=a) op=is dsgn(node=T)))))"},
        {"{ x = &a.b[1][2, 3](4, 5).c(); y = new T(1); }",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(dsgn(addr=& node=a node=b node=[ expr(number=1) "
         "expr(number=2) expr(number=3) expr(number=4) expr(number=5) node=c))) "
         "assignstmt(dsgn(node=y) expr(new(dsgn(node=T expr(number=1)))))))"},
        {"{ z = <Orders.Total> + 0x1F + \"s\\n\"; }",
         "program(compoundstmt(assignstmt(dsgn(node=z) expr(dsgn(node=Get expr(string='Orders.Total')) op=+ "
         "number=$1F op=+ string='s\n'))))"},
    });
}

TEST_F(ScriptTest, ZppEveravStatements)
{
    ExpectPrograms("Z++Everav", {
        {"{ if (a) b(); else c(); switch (x) { case 1: y(); case 2..3: z(); default: w(); } }",
         "program(compoundstmt(ifstmt(expr(dsgn(node=a)) thenstmt(callstmt(dsgn(node=b))) "
         "elsestmt(callstmt(dsgn(node=c)))) casestmt(expr(dsgn(node=x)) caseselector(set(expr(number=1)) "
         "callstmt(dsgn(node=y))) caseselector(set(expr(number=2) range=. expr(number=3)) callstmt(dsgn(node=z))) "
         "callstmt(dsgn(node=w)))))"},
        {"{ do a++; while (b); while (a) b--; }",
         "program(compoundstmt(repeatstmt(callstmt(dsgn(node=a) modificator=+) expr(dsgn(node=b)) inverse=) "
         "whilestmt(expr(dsgn(node=a)) callstmt(dsgn(node=b) modificator=-))))"},
        {"{ for (i = 0, j = 1; i < 10; i++, j--) c(); for (int k = 0; k < 3; k += 1) ; }",
         "program(compoundstmt(cppforstmt(compoundstmt(assignstmt(dsgn(node=i) expr(number=0)) "
         "assignstmt(dsgn(node=j) expr(number=1))) expr(dsgn(node=i) op=< number=10) "
         "compoundstmt(callstmt(dsgn(node=i) modificator=+) callstmt(dsgn(node=j) modificator=-)) "
         "callstmt(dsgn(node=c))) cppforstmt(compoundstmt(var(type=int ident=k init(expr(number=0)))) "
         "expr(dsgn(node=k) op=< number=3) compoundstmt(assignstmt(dsgn(node=k) modificator=+ expr(number=1))) "
         "empty)))"},
        {"{ try { a(); } except { b(); } try { c(); } finally { d(); } }",
         "program(compoundstmt(trystmt(compoundstmt(callstmt(dsgn(node=a))) "
         "exceptstmt(compoundstmt(callstmt(dsgn(node=b))))) trystmt(compoundstmt(callstmt(dsgn(node=c))) "
         "finallystmt(compoundstmt(callstmt(dsgn(node=d)))))))"},
        {"{ delete p; return x; break; continue; exit; a += 1; a -= 1; a *= 2; a /= 2; ; }",
         "program(compoundstmt(delete(dsgn(node=p)) return(expr(dsgn(node=x))) break continue exit "
         "assignstmt(dsgn(node=a) modificator=+ expr(number=1)) assignstmt(dsgn(node=a) modificator=- "
         "expr(number=1)) assignstmt(dsgn(node=a) modificator=* expr(number=2)) assignstmt(dsgn(node=a) "
         "modificator=/ expr(number=2)) empty))"},
    });
}

}  // namespace
