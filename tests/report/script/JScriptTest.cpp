// Programs of the JScript grammar with the XML programs its rules give, written from the rules.
#include "tests/report/script/ScriptFixture.h"

namespace {

using scripttest::ScriptTest;

TEST_F(ScriptTest, JScriptDeclarations)
{
    ExpectPrograms("JScript", {
        {"import \"a\", \"b\";", "program(compoundstmt(uses uses))"},
        {"var a, b = 2, c[3], d[1, 2] = 5;",
         "program(compoundstmt(var(ident=a) var(ident=b init(expr(number=2))) var(ident=c array(dim(expr(number=3)))) "
         "var(ident=d array(dim(expr(number=1)) dim(expr(number=2))) init(expr(number=5)))))"},
        {"function f(a, &b) { return a + b; } f(1, 2);",
         "program(compoundstmt(function(name=f parameters(var(ident=a) var(varparam=& ident=b)) "
         "compoundstmt(return(expr(dsgn(node=a) op=+ dsgn(node=b))))) "
         "callstmt(dsgn(node=f expr(number=1) expr(number=2)))))"},
        // The wrapper of a report expression.
        {"function fr3f0() { return Total + 1; }",
         "program(compoundstmt(function(name=fr3f0 parameters compoundstmt(return(expr(dsgn(node=Total) op=+ "
         "number=1))))))"},
        {"IF (a) B();", "program(compoundstmt(ifstmt(expr(dsgn(node=a)) thenstmt(callstmt(dsgn(node=B))))))"},
    });
}

TEST_F(ScriptTest, JScriptExpressions)
{
    ExpectPrograms("JScript", {
        {"x = -a + b - c || d ^ e;",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(op=unminus dsgn(node=a) op=+ dsgn(node=b) op=- "
         "dsgn(node=c) op=or dsgn(node=d) op=xor dsgn(node=e)))))"},
        {"y = a * b / c div d % e && f << g >> h;",
         "program(compoundstmt(assignstmt(dsgn(node=y) expr(dsgn(node=a) op=* dsgn(node=b) op=/ dsgn(node=c) "
         "op=div dsgn(node=d) op=mod dsgn(node=e) op=and dsgn(node=f) op=shl dsgn(node=g) op=shr dsgn(node=h)))))"},
        {"z = (a >= b) != (a <= b); w = !(a > b) == (a < b);",
         "program(compoundstmt(assignstmt(dsgn(node=z) expr(op=( expr(dsgn(node=a) op=>= dsgn(node=b)) op=) op=<> "
         "op=( expr(dsgn(node=a) op=<= dsgn(node=b)) op=))) assignstmt(dsgn(node=w) expr(op=not op=( "
         "expr(dsgn(node=a) op=> dsgn(node=b)) op=) op== op=( expr(dsgn(node=a) op=< dsgn(node=b)) op=)))))"},
        {"v = a in [1, 2..5]; u = a is T;",
         "program(compoundstmt(assignstmt(dsgn(node=v) expr(dsgn(node=a) op=in set(expr(number=1) expr(number=2) "
         "range=. expr(number=5)))) assignstmt(dsgn(node=u) expr(dsgn(node=a) op=is dsgn(node=T)))))"},
        {"x = &a.b[1][2, 3](4, 5).c(); y = new T(1); z = <Orders.Total> + 0x1F + \"s\";",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(dsgn(addr=& node=a node=b node=[ expr(number=1) "
         "expr(number=2) expr(number=3) expr(number=4) expr(number=5) node=c))) "
         "assignstmt(dsgn(node=y) expr(new(dsgn(node=T expr(number=1))))) "
         "assignstmt(dsgn(node=z) expr(dsgn(node=Get expr(string='Orders.Total')) op=+ number=$1F op=+ "
         "string='s'))))"},
    });
}

TEST_F(ScriptTest, JScriptStatements)
{
    ExpectPrograms("JScript", {
        {"if (a) b(); else c(); switch (x) { case 1: y(); default: w(); }",
         "program(compoundstmt(ifstmt(expr(dsgn(node=a)) thenstmt(callstmt(dsgn(node=b))) "
         "elsestmt(callstmt(dsgn(node=c)))) casestmt(expr(dsgn(node=x)) caseselector(set(expr(number=1)) "
         "callstmt(dsgn(node=y))) callstmt(dsgn(node=w)))))"},
        {"do a++; while (b); while (a) b--;",
         "program(compoundstmt(repeatstmt(callstmt(dsgn(node=a) modificator=+) expr(dsgn(node=b)) inverse=) "
         "whilestmt(expr(dsgn(node=a)) callstmt(dsgn(node=b) modificator=-))))"},
        // The first and third parts are one compound statement each, whatever they declare.
        {"for (var i = 0, j = 1; i < 10; i++) c(); for (; k < 3; k += 1) { }",
         "program(compoundstmt(cppforstmt(compoundstmt(var(ident=i init(expr(number=0))) var(ident=j "
         "init(expr(number=1)))) expr(dsgn(node=i) op=< number=10) compoundstmt(callstmt(dsgn(node=i) "
         "modificator=+)) callstmt(dsgn(node=c))) cppforstmt(compoundstmt(empty) expr(dsgn(node=k) op=< "
         "number=3) compoundstmt(assignstmt(dsgn(node=k) modificator=+ expr(number=1))) compoundstmt)))"},
        {"try { a(); } except { b(); } try c(); finally d();",
         "program(compoundstmt(trystmt(compoundstmt(callstmt(dsgn(node=a))) "
         "exceptstmt(compoundstmt(callstmt(dsgn(node=b))))) trystmt(callstmt(dsgn(node=c)) "
         "finallystmt(callstmt(dsgn(node=d))))))"},
        // "exit" alone ends the script; "exit = 1" assigns.
        {"delete p; return x; break; continue; exit; exit = 1; x *= 2; x -= 1; x /= 2;",
         "program(compoundstmt(delete(dsgn(node=p)) return(expr(dsgn(node=x))) break continue exit "
         "assignstmt(dsgn(node=exit) expr(number=1)) assignstmt(dsgn(node=x) modificator=* expr(number=2)) "
         "assignstmt(dsgn(node=x) modificator=- expr(number=1)) assignstmt(dsgn(node=x) modificator=/ "
         "expr(number=2))))"},
        {"with (a.b) { c(); } { d(); }",
         "program(compoundstmt(with(dsgn(node=a node=b) compoundstmt(callstmt(dsgn(node=c)))) "
         "compoundstmt(callstmt(dsgn(node=d)))))"},
    });
}

}  // namespace
