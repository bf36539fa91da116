-- EDI master tables for PostgreSQL. Names stay unquoted so that the program's unquoted
-- statements resolve to them (PostgreSQL folds the ASCII letters of both to lower case).
DROP TABLE IF EXISTS FL1912EDIスケジュールマスタ;
DROP TABLE IF EXISTS FL1903EDI制御マスタ;
DROP TABLE IF EXISTS 区分マスタ;
DROP TABLE IF EXISTS FL1916メッセージグループ情報マスタ;
DROP TABLE IF EXISTS FL1902フォーマット情報マスタ;
DROP TABLE IF EXISTS FL1901項目情報マスタ;

CREATE TABLE 区分マスタ (
    区分 varchar(20) NOT NULL,
    区分コード varchar(10) NOT NULL,
    区分名称 varchar(40),
    PRIMARY KEY (区分, 区分コード)
);

CREATE TABLE FL1903EDI制御マスタ (
    センターコード varchar(12) NOT NULL PRIMARY KEY,
    センター名 varchar(40),
    送受信方式 varchar(2),
    RLY受信ファイルパス varchar(255),
    RLY送信ファイルパス varchar(255),
    相手先種別 varchar(2),
    実行端末名 varchar(32)
);

-- A row is one weekly start: all four columns together identify it.
CREATE TABLE FL1912EDIスケジュールマスタ (
    センターコード varchar(12) NOT NULL,
    送受信種別 varchar(1) NOT NULL,
    曜日 varchar(10) NOT NULL,
    起動時刻 time NOT NULL,
    UNIQUE (センターコード, 送受信種別, 曜日, 起動時刻)
);

CREATE TABLE FL1916メッセージグループ情報マスタ (
    相手先コード varchar(12) NOT NULL,
    自社コード varchar(12) NOT NULL,
    情報区分 varchar(4) NOT NULL,
    PRIMARY KEY (相手先コード, 自社コード, 情報区分)
);

-- Several versions of one format share the (情報区分コード, BPID) pair.
CREATE TABLE FL1902フォーマット情報マスタ (
    情報区分コード varchar(4) NOT NULL,
    BPID varchar(20) NOT NULL,
    版 integer NOT NULL,
    フォーマット名 varchar(40),
    PRIMARY KEY (情報区分コード, BPID, 版)
);

CREATE TABLE FL1901項目情報マスタ (
    項目No varchar(4) NOT NULL PRIMARY KEY,
    データ項目名 varchar(40)
);
