int coreCheckSymbol()
{
    return 0;
}
