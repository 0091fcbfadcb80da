// Programs of the ZododuVudizu grammar with the XML programs its rules give, written from the rules.
#include "tests/report/script/ScriptFixture.h"

namespace {

using scripttest::ScriptTest;

TEST_F(ScriptTest, ZododuVudizuDeclarations)
{
    ExpectPrograms("ZododuVudizu", {
        {"program p; uses 'u'; begin end.", "program(uses compoundstmt)"},
        {"const n = 5; var a, b: Integer; c: array[0..2] of String = 'x'; d: array[3, 4] of Integer;\r\n"
         "e: array of Variant; begin end.",
         "program(const(ident=n expr(number=5)) var(ident=a ident=b type=Integer) "
         "var(ident=c array(dim(expr(number=0) expr(number=2))) type=String init(expr(string='x'))) "
         "var(ident=d array(dim(expr(number=3)) dim(expr(number=4))) type=Integer) "
         "var(ident=e array type=Variant) compoundstmt)"},
        {"procedure P(var a, b: Integer; const c: String; d: Integer = 1); var t: Integer; begin end;\r\n"
         "function F(x: Integer): Boolean; begin Result := x > 0 end;\r\n"
         "begin P(1, 2, 'c') end.",
         "program(procedure(name=P parameters(varparams var(ident=a ident=b type=Integer) var(ident=c type=String) "
         "var(ident=d type=Integer init(expr(number=1)))) var(ident=t type=Integer) compoundstmt) "
         "function(name=F parameters(var(ident=x type=Integer)) type=Boolean "
         "compoundstmt(assignstmt(dsgn(node=Result) expr(dsgn(node=x) op=> number=0)))) "
         "compoundstmt(callstmt(dsgn(node=P expr(number=1) expr(number=2) expr(string='c')))))"},
        // The wrapper of a report expression.
        {"function fr3f1: Variant; begin Result := 1 + 2 end; begin end.",
         "program(function(name=fr3f1 type=Variant compoundstmt(assignstmt(dsgn(node=Result) "
         "expr(number=1 op=+ number=2)))) compoundstmt)"},
        {"BEGIN x := 1 End.", "program(compoundstmt(assignstmt(dsgn(node=x) expr(number=1))))"},
        {"begin label := 1 end.", "!';' expected at 1:7"},
    });
}

TEST_F(ScriptTest, ZododuVudizuExpressions)
{
    ExpectPrograms("ZododuVudizu", {
        {"begin x := -a + b - c or d xor e end.",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(op=unminus dsgn(node=a) op=+ dsgn(node=b) op=- "
         "dsgn(node=c) op=or dsgn(node=d) op=xor dsgn(node=e)))))"},
        {"begin y := a * b / c div d mod e and f shl g shr h end.",
         "program(compoundstmt(assignstmt(dsgn(node=y) expr(dsgn(node=a) op=* dsgn(node=b) op=/ dsgn(node=c) "
         "op=div dsgn(node=d) op=mod dsgn(node=e) op=and dsgn(node=f) op=shl dsgn(node=g) op=shr dsgn(node=h)))))"},
        {"begin z := (a >= b) <> (a <= b) end.",
         "program(compoundstmt(assignstmt(dsgn(node=z) expr(op=( expr(dsgn(node=a) op=>= dsgn(node=b)) op=) op=<> "
         "op=( expr(dsgn(node=a) op=<= dsgn(node=b)) op=)))))"},
        {"begin w := not (a > b) = (a < b) end.",
         "program(compoundstmt(assignstmt(dsgn(node=w) expr(op=not op=( expr(dsgn(node=a) op=> dsgn(node=b)) op=) "
         "op== op=( expr(dsgn(node=a) op=< dsgn(node=b)) op=)))))"},
        {"begin v := a in [1, 2..5]; u := a is TObject end.",
         "program(compoundstmt(assignstmt(dsgn(node=v) expr(dsgn(node=a) op=in set(expr(number=1) expr(number=2) "
         "range=. expr(number=5)))) assignstmt(dsgn(node=u) expr(dsgn(node=a) op=is dsgn(node=TObject)))))"},
        {"begin x := @a.b[1, 2](3).c; f(); g end.",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(dsgn(addr=@ node=a node=b node=[ expr(number=1) "
         "expr(number=2) expr(number=3) node=c))) callstmt(dsgn(node=f)) callstmt(dsgn(node=g))))"},
        {"begin x := <Orders.Total> + $FF + 1.5e3 + 'a'#13'b' end.",
         "program(compoundstmt(assignstmt(dsgn(node=x) expr(dsgn(node=Get expr(string='Orders.Total')) op=+ "
         "number=$FF op=+ number=1.5e3 op=+ string='a\rb'))))"},
        // A range may begin with a name.
        {"const Lo = 0; Hi = 2; var c: array[Lo..Hi] of Integer; begin x := [a..b]; case x of A..B: y end end.",
         "program(const(ident=Lo expr(number=0)) const(ident=Hi expr(number=2)) var(ident=c "
         "array(dim(expr(dsgn(node=Lo)) expr(dsgn(node=Hi)))) type=Integer) compoundstmt(assignstmt(dsgn(node=x) "
         "expr(set(expr(dsgn(node=a)) range=. expr(dsgn(node=b))))) casestmt(expr(dsgn(node=x)) "
         "caseselector(set(expr(dsgn(node=A)) range=. expr(dsgn(node=B))) callstmt(dsgn(node=y))))))"},
        {"begin x := a.; end.", "!';' expected at 1:13"},
        // An empty reference is no reference.
        {"begin x := <> end.", "!Expression expected at 1:12"},
    });
}

TEST_F(ScriptTest, ZododuVudizuStatements)
{
    ExpectPrograms("ZododuVudizu", {
        {"begin if a then b else c; case x of 1, 2..3: y; else z end end.",
         "program(compoundstmt(ifstmt(expr(dsgn(node=a)) thenstmt(callstmt(dsgn(node=b))) "
         "elsestmt(callstmt(dsgn(node=c)))) casestmt(expr(dsgn(node=x)) caseselector(set(expr(number=1) "
         "expr(number=2) range=. expr(number=3)) callstmt(dsgn(node=y))) callstmt(dsgn(node=z)))))"},
        {"begin repeat a; b until c; while a do b end.",
         "program(compoundstmt(repeatstmt(callstmt(dsgn(node=a)) callstmt(dsgn(node=b)) expr(dsgn(node=c))) "
         "whilestmt(expr(dsgn(node=a)) callstmt(dsgn(node=b)))))"},
        {"begin for i := 1 to 10 do a; for i := 10 downto 1 do b end.",
         "program(compoundstmt(forstmt(ident=i expr(number=1) expr(number=10) callstmt(dsgn(node=a))) "
         "forstmt(ident=i expr(number=10) downto=downto expr(number=1) callstmt(dsgn(node=b)))))"},
        {"begin try a except b end; try c finally d end end.",
         "program(compoundstmt(trystmt(callstmt(dsgn(node=a)) exceptstmt(callstmt(dsgn(node=b)))) "
         "trystmt(callstmt(dsgn(node=c)) finallystmt(callstmt(dsgn(node=d))))))"},
        {"begin with a, b do c; break; continue; exit; ; end.",
         "program(compoundstmt(with(dsgn(node=a) dsgn(node=b) callstmt(dsgn(node=c))) break continue exit))"},
    });
}

}  // namespace
